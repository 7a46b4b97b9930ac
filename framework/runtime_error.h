#pragma once

#include <stdexcept>
#include <string>

namespace dialvane {

// Error numbers follow the classic run-time error table, so a failing step can be told apart
// in tests and by the host.
enum class ErrorCode : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    DivisionByZero = 11,
    TypeMismatch = 13,
    DeviceUnavailable = 68,
    PathNotFound = 76,
    ClipboardUnavailable = 521,
    ControlArrayElementMissing = 340,
};

// A failing step of an event handler. The host catches it at the event boundary: the handler
// ends where it stood and the program keeps running.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorCode code, const std::string& what) : std::runtime_error(what), code_(code) {}
    ErrorCode code() const noexcept { return code_; }

private:
    ErrorCode code_;
};

}  // namespace dialvane
