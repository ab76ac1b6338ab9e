// The exception model: every exception of ours names its class; EAbort is the silent one,
// dropped without a message where an event handler lets it escape.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    virtual const char* ClassName() const { return "Exception"; }
};

class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
    const char* ClassName() const override { return "EAbort"; }
};

// File streams raise the silent abort when a file cannot be opened or created.
class EFOpenError : public EAbort {
public:
    const char* ClassName() const override { return "EFOpenError"; }
};

class EFCreateError : public EAbort {
public:
    const char* ClassName() const override { return "EFCreateError"; }
};

// A file stream's write that stored fewer bytes than it was given (a full disk): silent, like
// the stream's other failures.
class EWriteError : public EAbort {
public:
    const char* ClassName() const override { return "EWriteError"; }
};

// A form description that names something the component layer does not know.
class EFormError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const override { return "EFormError"; }
};

// The class name shown for whatever exception is in flight; call only inside a catch block.
const char* CurrentExceptionClassName();

// Runs an event handler so that no exception crosses the Win32 callback that called it:
// a silent abort is dropped, any other exception shows "Exception <class name>".
template <typename Handler>
void GuardEvent(Handler&& handler) noexcept;

void ShowExceptionBox(const char* className) noexcept;

template <typename Handler>
void GuardEvent(Handler&& handler) noexcept
{
    try {
        handler();
    } catch (const EAbort&) {
    } catch (...) {
        ShowExceptionBox(CurrentExceptionClassName());
    }
}
