#pragma once
// Where Windows calls into the program (window procedures, the browser site's COM methods,
// enumeration callbacks), no exception may leave: the 32-bit build unwinds with DWARF tables,
// which cannot pass through the system's own frames, so an exception on its way back through
// DispatchMessage or the browser control would end the program on the spot. Each such entry
// runs its body through `guarded`, which hands what was thrown to the program's failure handler
// and returns the value Windows gets instead.

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace quillmere::win32 {

// What the program does with an error that reached a callback: by default a message box that
// names it, then the end of the program (as for a run's own errors).
using CallbackFailureHandler = std::function<void(const std::string& what)>;

// Puts `handler` in place (null: the default again); returns the one before.
CallbackFailureHandler replaceCallbackFailureHandler(CallbackFailureHandler handler);

// Hands the exception in flight (inside a catch block) to the handler. Never throws.
void reportCallbackFailure() noexcept;

// Runs `body`; if it throws, reports that and returns `onFailure`.
template <typename Result, typename Body>
Result guarded(Result onFailure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        reportCallbackFailure();
    }
    return onFailure;
}

// For COM methods: E_OUTOFMEMORY for std::bad_alloc, E_UNEXPECTED for anything else, both reported.
template <typename Body>
HRESULT guardedCom(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        reportCallbackFailure();
        return E_OUTOFMEMORY;
    } catch (...) {
        reportCallbackFailure();
    }
    return E_UNEXPECTED;
}

}  // namespace quillmere::win32
