#pragma once

// Recoverable errors are values. A Status is either ok or carries a message
// that names the file and what is wrong with it ("ptest.cdx: tag ID: leaf
// page at 0x2400 claims 900 keys in 488 bytes"). Result<T> is a value or such
// a Status. Both are [[nodiscard]]: a failure cannot be dropped by accident;
// where dropping one is right, the caller casts it to void and says why.
// Nothing that reports through these throws across its interface.

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace zentrix::base {

class [[nodiscard]] Status {
public:
    Status() = default;  // ok
    static Status ok() { return Status(); }
    static Status error(std::string message) { return Status(std::move(message)); }

    bool isOk() const { return !failed_; }
    explicit operator bool() const { return isOk(); }
    const std::string& message() const { return message_; }

    // Prefixes the message with a context such as a file name: "EX1.cdx: " + message.
    Status withContext(const std::string& context) const {
        return isOk() ? *this : Status(context + ": " + message_);
    }

    // The outcome of this step followed by a clean-up that runs either way
    // (unlocking, removing a scratch file): the step's failure when it
    // failed, since that is what the user needs to hear, otherwise the
    // clean-up's. Written as commitLocked().withCleanup(unlock()), the step
    // runs first: the object of a member call is evaluated before its
    // arguments. (A function of two such calls would run them in either
    // order, and could unlock before committing.)
    Status withCleanup(Status cleanup) const { return isOk() ? std::move(cleanup) : *this; }

private:
    explicit Status(std::string message) : failed_(true), message_(std::move(message)) {}
    bool failed_ = false;
    std::string message_;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit by design
    Result(Status status) : status_(std::move(status)) { assert(!status_.isOk()); }  // NOLINT

    bool isOk() const { return value_.has_value(); }
    explicit operator bool() const { return isOk(); }
    const Status& status() const { return status_; }
    const std::string& message() const { return status_.message(); }

    T& value() & {
        assert(isOk());
        return *value_;
    }
    const T& value() const& {
        assert(isOk());
        return *value_;
    }
    T&& value() && {
        assert(isOk());
        return std::move(*value_);
    }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }

private:
    std::optional<T> value_;
    Status status_;
};

}  // namespace zentrix::base

// Returns early from a function returning Status or Result<T> when expr fails.
#define ZX_TRY(expr)                                 \
    do {                                             \
        ::zentrix::base::Status zx_status_ = (expr); \
        if (!zx_status_.isOk()) return zx_status_;   \
    } while (0)

// Evaluates expr, a Result<T>; returns its Status early from a function
// returning Status or Result<U> when it failed, and otherwise moves its value
// into lhs, which may declare a variable:
//     ZX_TRY_ASSIGN(auto file, fs.open(name, mode));
//     ZX_TRY_ASSIGN(header_, DbfHeader::parse(bytes, size));
// It expands to more than one statement: give it braces under an if.
#define ZX_TRY_ASSIGN(lhs, expr) \
    ZX_TRY_ASSIGN_IMPL_(ZX_TRY_CONCAT_(zx_result_, __LINE__), lhs, expr)
#define ZX_TRY_ASSIGN_IMPL_(result, lhs, expr)  \
    auto result = (expr);                       \
    if (!result.isOk()) return result.status(); \
    lhs = std::move(result).value()
#define ZX_TRY_CONCAT_(a, b) ZX_TRY_CONCAT_INNER_(a, b)
#define ZX_TRY_CONCAT_INNER_(a, b) a##b
