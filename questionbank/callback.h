#pragma once

// An event of the question bank: a plain function with a context value that
// the listener registers and unregisters around the operations that fire it.
// An unset callback is skipped.

namespace zentrix::questionbank {

template <typename... Args>
struct Callback {
    using Function = void (*)(void* context, Args...);

    Function function = nullptr;
    void* context = nullptr;

    explicit operator bool() const { return function != nullptr; }
    void operator()(Args... args) const {
        if (function) function(context, args...);
    }
    void reset() { *this = Callback(); }
};

}  // namespace zentrix::questionbank
