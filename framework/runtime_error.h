#pragma once

#include <new>
#include <stdexcept>
#include <string>

namespace dialvane {

// Error numbers follow the classic run-time error table, so a failing step can be told apart
// in tests and by the host.
enum class ErrorCode : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    DivisionByZero = 11,
    TypeMismatch = 13,
    InternalError = 51,
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

// The number of the exception being handled: a failing step's own, 7 when memory ran out, 51
// for anything else that went wrong. Only inside a catch block.
inline ErrorCode currentErrorCode() noexcept {
    try {
        throw;
    } catch (const RuntimeError& error) {
        return error.code();
    } catch (const std::bad_alloc&) {
        return ErrorCode::OutOfMemory;
    } catch (...) {
        return ErrorCode::InternalError;
    }
}

}  // namespace dialvane
