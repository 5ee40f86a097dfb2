#pragma once

// The receiving end of the hand-over of document/run_with_file.h: a running chart program
// reads "open this file" messages from its socket. Bytes arrive in pieces; the reader keeps
// them until a whole message is there:
//
//   uint32 little-endian   3 (open a file)
//   uint32 little-endian   n, the length of the file name in bytes
//   n bytes                the file name, UTF-8
//
// Never trusting the sender, it refuses another message code and a name longer than any path.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

class TInstanceMessageReader {
public:
    enum class TState { Incomplete, Complete, Refused };

    // Takes more bytes; Complete once a whole message is read (FileName() holds it), Refused
    // for a message that cannot be one. Bytes after a complete or refused message are ignored.
    TState Feed(std::string_view bytes);
    TState State() const { return m_state; }
    const std::string& FileName() const { return m_fileName; }

private:
    std::string m_bytes;
    std::string m_fileName;
    TState m_state = TState::Incomplete;
};

// The longest file name a message may carry (PATH_MAX).
inline constexpr std::size_t kMaxHandedFileName = 4096;

}  // namespace vantor
