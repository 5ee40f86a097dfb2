#include "aerograph/instance_message.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

std::string Message(std::uint32_t code, std::uint32_t length, const std::string& name)
{
    std::string bytes;
    for (const std::uint32_t value : {code, length})
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
    return bytes + name;
}

TEST(InstanceMessage, AFileNameArrivingInPieces)
{
    const std::string bytes = Message(3, 16, "/jobs/Coil A.psy") + "trailing";
    TInstanceMessageReader reader;
    for (size_t i = 0; i + 1 < 8 + 16; ++i)
        ASSERT_EQ(reader.Feed(bytes.substr(i, 1)), TInstanceMessageReader::TState::Incomplete) << i;
    EXPECT_EQ(reader.Feed(bytes.substr(23)), TInstanceMessageReader::TState::Complete);
    EXPECT_EQ(reader.FileName(), "/jobs/Coil A.psy");
}

TEST(InstanceMessage, MessagesThatCannotBeOneAreRefused)
{
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"another code", Message(4, 5, "a.psy")},
        {"no name", Message(3, 0, "")},
        {"a name longer than any path", Message(3, 0x7FFFFFFF, "a.psy")},
    };
    for (const auto& c : cases) {
        TInstanceMessageReader reader;
        EXPECT_EQ(reader.Feed(c.bytes), TInstanceMessageReader::TState::Refused) << c.name;
        EXPECT_EQ(reader.Feed(Message(3, 5, "a.psy")), TInstanceMessageReader::TState::Refused) << c.name;
    }
}

}  // namespace
}  // namespace vantor
