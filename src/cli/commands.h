#pragma once

// Each vantor-cli command lives in its own file and adds itself to the application here.

#include <CLI/CLI.hpp>

#include <iostream>
#include <stdexcept>
#include <string_view>

namespace vantor::cli {

// Exit codes: 0 done, 1 the work failed (file unreadable, data error), 2 unreadable arguments.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// An argument that cannot be read; the command prints it and exits with kExitUsage.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The inputs could not be used (a refused designation, an unknown maker, a value out of range
// with --strict, a file that cannot be read); the command exits with kExitFailed.
class TInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs a command's body: an argument that cannot be read prints its message and gives
// kExitUsage, inputs that cannot be used kExitFailed, their message followed by inputNote
// (" (--strict)" where the option made them errors).
template <class Body>
int Guarded(std::string_view command, const Body& body, std::string_view inputNote = {})
{
    try {
        return body();
    } catch (const TUsageError& e) {
        std::cerr << "vantor-cli " << command << ": " << e.what() << "\n";
        return kExitUsage;
    } catch (const TInputError& e) {
        std::cerr << "vantor-cli " << command << ": " << e.what() << inputNote << "\n";
        return kExitFailed;
    }
}

}  // namespace vantor::cli
