#include <windows.h>

#include "system_function.h"

namespace quillmere::platform {
namespace {

void* realLookup(const char* dll, const char* name) {
    // GetModuleHandleA, not LoadLibrary: only DLLs the program imports anyway are asked, and the
    // name is ASCII.
    const HMODULE module = ::GetModuleHandleA(dll);
    return module ? reinterpret_cast<void*>(::GetProcAddress(module, name)) : nullptr;
}

SystemFunctionLookup currentLookup = &realLookup;

}  // namespace

void* findSystemFunction(const char* dll, const char* name) {
    return currentLookup(dll, name);
}

SystemFunctionLookup replaceSystemFunctionLookup(SystemFunctionLookup lookup) {
    const SystemFunctionLookup before = currentLookup;
    currentLookup = lookup ? lookup : &realLookup;
    return before;
}

}  // namespace quillmere::platform
