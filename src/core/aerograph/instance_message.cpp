#include "aerograph/instance_message.h"

#include "settings/run_with_file.h"

#include <algorithm>
#include <cstdint>

namespace vantor {

namespace {

constexpr std::size_t kHeaderBytes = 8;

std::uint32_t LittleEndianAt(std::string_view bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    return value;
}

}  // namespace

TInstanceMessageReader::TState TInstanceMessageReader::Feed(std::string_view bytes)
{
    if (m_state != TState::Incomplete) return m_state;
    m_bytes.append(bytes.substr(0, kHeaderBytes + kMaxHandedFileName - std::min(m_bytes.size(), kHeaderBytes + kMaxHandedFileName)));
    if (m_bytes.size() < kHeaderBytes) return m_state;
    const std::uint32_t code = LittleEndianAt(m_bytes, 0);
    const std::uint32_t length = LittleEndianAt(m_bytes, 4);
    if (code != kOpenFileMessage || length == 0 || length > kMaxHandedFileName) return m_state = TState::Refused;
    if (m_bytes.size() < kHeaderBytes + length) return m_state;
    m_fileName = m_bytes.substr(kHeaderBytes, length);
    return m_state = TState::Complete;
}

}  // namespace vantor
