// Any bytes on the chart program's hand-over socket, arriving in pieces: the outcome does not
// depend on how the bytes were cut, a whole message carries exactly the name it announced,
// and a decided reader stays decided.

#include "aerograph/instance_message.h"
#include "settings/run_with_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

std::uint32_t LittleEndian(std::string_view bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vantor;
    using TState = TInstanceMessageReader::TState;
    if (size == 0) return 0;
    // The first byte sets the size of the pieces the rest arrives in.
    const std::size_t piece = 1 + data[0] % 16u;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    TInstanceMessageReader whole;
    const TState once = whole.Feed(bytes);
    TInstanceMessageReader pieces;
    TState state = TState::Incomplete;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        const TState next = pieces.Feed(bytes.substr(at, piece));
        if (state != TState::Incomplete && next != state) std::abort();
        state = next;
    }
    if (state != once || pieces.FileName() != whole.FileName()) std::abort();

    if (once == TState::Complete) {
        const std::uint32_t length = LittleEndian(bytes, 4);
        if (LittleEndian(bytes, 0) != kOpenFileMessage || length == 0 || length > kMaxHandedFileName) std::abort();
        if (whole.FileName() != bytes.substr(8, length)) std::abort();
    } else if (once == TState::Incomplete) {
        if (!whole.FileName().empty()) std::abort();
        // Only a message still short of its announced bytes is waiting.
        if (bytes.size() >= 8 && bytes.size() >= 8 + LittleEndian(bytes, 4)) std::abort();
    }
    return 0;
}
