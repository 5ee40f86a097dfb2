#include "settings/run_with_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace vantor {

namespace {

// Closes a descriptor when it goes out of scope.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : m_fd(fd) {}
    ~TDescriptor()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

void AppendLittleEndian(std::string& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((value >> shift) & 0xFFu));
}

bool SendAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(sent));
    }
    return true;
}

THandOver HandOver(const std::filesystem::path& socketPath, std::string_view file, std::chrono::milliseconds timeout)
{
    const TDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.Get() < 0) return THandOver::NobodyListens;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string& path = socketPath.native();
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    int connected = -1;
    do {
        connected = ::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (connected < 0 && errno == EINTR);
    // No socket, or one its program left behind: nobody listens.
    if (connected < 0) return THandOver::NobodyListens;

    std::string message;
    AppendLittleEndian(message, kOpenFileMessage);
    AppendLittleEndian(message, static_cast<std::uint32_t>(file.size()));
    message += file;
    // An instance that drops the connection before taking the message is no use.
    if (!SendAll(socket.Get(), message)) return THandOver::NobodyListens;

    pollfd wait{socket.Get(), POLLIN, 0};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const int ready = ::poll(&wait, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return THandOver::NoAnswer;
        // One byte of answer, or the connection closed: the message was handled.
        char answer = 0;
        while (::recv(socket.Get(), &answer, 1, 0) < 0 && errno == EINTR) {
        }
        return THandOver::Delivered;
    }
}

std::string Failure(const std::filesystem::path& program, std::string_view what)
{
    return program.string() + "\n" + std::string(what);
}

// Starts program on file in a session of its own, not as our child, so that nothing has to
// wait for it to end. A failed start comes back through a close-on-exec pipe.
TResult StartDetached(const std::filesystem::path& program, std::string_view file)
{
    // Everything the children use is made before fork: between fork and exec only
    // async-signal-safe calls are made.
    std::string path = program.string();
    std::string argument(file);
    char* argv[] = {path.data(), argument.data(), nullptr};
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return TResult::Error(TErrorCode::Failed, Failure(program, std::strerror(errno)));

    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return TResult::Error(TErrorCode::Failed, Failure(program, std::strerror(error)));
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild != 0) {
            if (grandchild < 0) {
                const int error = errno;
                [[maybe_unused]] const ssize_t ignored = ::write(report[1], &error, sizeof error);
            }
            ::_exit(0);
        }
        ::execv(argv[0], argv);
        const int error = errno;
        [[maybe_unused]] const ssize_t ignored = ::write(report[1], &error, sizeof error);
        ::_exit(127);
    }

    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got = -1;
    do {
        got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got == static_cast<ssize_t>(sizeof error))
        return TResult::Error(TErrorCode::Failed, Failure(program, "Could not start the program: " + std::string(std::strerror(error))));
    return TResult::Ok();
}

void WaitUntilListening(const std::optional<std::filesystem::path>& socketPath, std::chrono::milliseconds timeout)
{
    if (!socketPath || timeout.count() <= 0) return;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::error_code error;
    while (!std::filesystem::is_socket(*socketPath, error) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
}

}  // namespace

std::optional<std::filesystem::path> InstanceSocket(const std::filesystem::path& program,
                                                    const TRunWithFileOptions& options)
{
    std::filesystem::path folder;
    if (options.RuntimeFolder) {
        folder = *options.RuntimeFolder;
    } else if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        folder = runtime;
    }
    if (folder.empty() || program.stem().empty()) return std::nullopt;
    std::filesystem::path socket = folder / (program.stem().string() + ".sock");
    if (socket.native().size() >= sizeof(sockaddr_un::sun_path)) return std::nullopt;
    return socket;
}

THandOver HandToRunningInstance(const std::filesystem::path& program, std::string_view file,
                                const TRunWithFileOptions& options)
{
    const std::optional<std::filesystem::path> socket = InstanceSocket(program, options);
    return socket ? HandOver(*socket, file, options.ReplyTimeout) : THandOver::NobodyListens;
}

TResult RunWithFile(const std::filesystem::path& program, std::string_view file, const TRunWithFileOptions& options)
{
    const std::optional<std::filesystem::path> socket = InstanceSocket(program, options);
    if (socket) {
        switch (HandOver(*socket, file, options.ReplyTimeout)) {
        case THandOver::Delivered:
            return TResult::Ok();
        case THandOver::NoAnswer:
            return TResult::Error(TErrorCode::Failed, Failure(program, "The running program did not answer..."));
        case THandOver::NobodyListens:
            break;
        }
    }

    std::error_code error;
    if (!std::filesystem::exists(program, error)) return TResult::Error(TErrorCode::Failed, Failure(program, kProgramNotFound));
    if (!std::filesystem::is_regular_file(program, error) || ::access(program.c_str(), X_OK) != 0)
        return TResult::Error(TErrorCode::Failed, Failure(program, kProgramNotExecutable));
    const TResult started = StartDetached(program, file);
    if (started) WaitUntilListening(socket, options.ReadyTimeout);
    return started;
}

}  // namespace vantor
