#pragma once

// Starts a program on a file, or hands the file to the instance of it that is already
// running: the psychrometric chart program receives the air process of a rating this way.
//
// A running instance listens on an AF_UNIX stream socket in $XDG_RUNTIME_DIR named after the
// program's file name without extension, with ".sock" added ("aerograph.sock"). The sender
// connects and writes one message:
//
//   uint32 little-endian   3 (open a file)
//   uint32 little-endian   n, the length of the file name in bytes
//   n bytes                the file name, UTF-8, no terminator
//
// and waits until the instance has handled it: the instance answers with one byte, or
// closes the connection. When nobody listens, the program is started with the file as its
// one argument, in a session of its own, and the sender waits a moment for its socket to
// appear, so that the next file finds it running.

#include "text/result.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

inline constexpr std::uint32_t kOpenFileMessage = 3;

inline constexpr std::string_view kProgramNotFound = "not found...";
inline constexpr std::string_view kProgramNotExecutable = "Program not executable...";

struct TRunWithFileOptions {
    // The folder of the instances' sockets; unset: $XDG_RUNTIME_DIR, and no hand-over
    // without it.
    std::optional<std::filesystem::path> RuntimeFolder;
    // How long a running instance may take to answer.
    std::chrono::milliseconds ReplyTimeout{5000};
    // How long a started program may take to open its socket; 0 does not wait.
    std::chrono::milliseconds ReadyTimeout{1500};
};

// The socket a running instance of program listens on; nothing without a runtime folder or
// when the path would not fit a socket address.
std::optional<std::filesystem::path> InstanceSocket(const std::filesystem::path& program,
                                                    const TRunWithFileOptions& options = {});

enum class THandOver { NobodyListens, Delivered, NoAnswer };

// Hands file to the running instance of program, and never starts one: the chart program
// itself asks this first, so that a second copy passes its files on and ends.
THandOver HandToRunningInstance(const std::filesystem::path& program, std::string_view file,
                                const TRunWithFileOptions& options = {});

// Hands file to the running instance of program, or starts program on it. Fails with the
// program's path, a line break and "not found..." or "Program not executable..." when there
// is nothing to start, with a message when the start fails, and when a running instance took
// the file but did not answer in time.
TResult RunWithFile(const std::filesystem::path& program, std::string_view file,
                    const TRunWithFileOptions& options = {});

}  // namespace vantor
