#include <windows.h>

#include <string>

#include "system_function.h"

namespace quillmere::platform {
namespace {

void* realLookup(const char* dll, const char* name) {
    // GetModuleHandleW, not LoadLibrary: only DLLs the program imports anyway are asked. Their
    // names are ASCII.
    const std::wstring dllName(dll, dll + std::char_traits<char>::length(dll));
    const HMODULE module = ::GetModuleHandleW(dllName.c_str());
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
