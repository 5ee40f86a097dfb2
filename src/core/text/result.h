#pragma once

// The outcome of a core operation: a code (0 = ok) and the message the user sees.
// Windows, the command line and the automation server all show the same text.

#include <string>
#include <utility>

namespace vantor {

struct TResult {
    int Code = 0;
    std::string Message;

    static TResult Ok() { return {}; }
    static TResult Error(int code, std::string message) { return {code, std::move(message)}; }
    bool IsOk() const { return Code == 0; }
    explicit operator bool() const { return Code == 0; }
};

}  // namespace vantor
