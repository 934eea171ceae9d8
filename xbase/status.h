#pragma once

// Errors of the storage layer are values. A Status is either ok or carries a
// message that names the file and what is wrong with it ("ptest.cdx: tag ID:
// leaf page at 0x2400 claims 900 keys in 488 bytes"). Result<T> is a value or
// such a Status. Nothing in xbase throws across its interface.

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace zentrix::xbase {

class Status {
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

private:
    explicit Status(std::string message) : failed_(true), message_(std::move(message)) {}
    bool failed_ = false;
    std::string message_;
};

template <typename T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit by design
    Result(Status status) : status_(std::move(status)) { assert(!status_.isOk()); }  // NOLINT

    bool isOk() const { return value_.has_value(); }
    explicit operator bool() const { return isOk(); }
    const Status& status() const { return status_; }
    const std::string& message() const { return status_.message(); }

    T& value() & { assert(isOk()); return *value_; }
    const T& value() const& { assert(isOk()); return *value_; }
    T&& value() && { assert(isOk()); return std::move(*value_); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }

private:
    std::optional<T> value_;
    Status status_;
};

}  // namespace zentrix::xbase

// Returns early from a function returning Status or Result<T> when expr fails.
#define ZX_TRY(expr)                                   \
    do {                                               \
        ::zentrix::xbase::Status zx_status_ = (expr);  \
        if (!zx_status_.isOk()) return zx_status_;     \
    } while (0)
