#pragma once

// The outcome of a core operation: a code (0 = ok) and the message the user sees.
// Windows, the command line and the automation server all show the same text. A result is
// [[nodiscard]]: a caller either acts on a failure or says why it cannot matter.

#include <string>
#include <utility>

namespace vantor {

// The codes of operations that have none of their own. Subjects that number their failures
// for the outside (file writes, data files, the solve status) pass those numbers through the
// same Code, so these keep their values.
enum class TErrorCode : int {
    Failed = 1,       // the operation could not be done; the message says why
    Unavailable = 2,  // what it needs is missing or taken by another program
};

struct [[nodiscard]] TResult {
    int Code = 0;
    std::string Message;

    static TResult Ok() { return {}; }
    static TResult Error(int code, std::string message) { return {code, std::move(message)}; }
    static TResult Error(TErrorCode code, std::string message)
    {
        return {static_cast<int>(code), std::move(message)};
    }
    bool IsOk() const { return Code == 0; }
    explicit operator bool() const { return Code == 0; }
};

}  // namespace vantor
