#pragma once
// Functions of newer Windows versions that the program can do without, looked up at run time so
// that it still loads on Windows 2000, where the loader refuses a program that imports a name
// its DLLs lack. Each caller has a fallback for a null result; tests swap the lookup to reach it.

namespace quillmere::platform {

using SystemFunctionLookup = void* (*)(const char* dll, const char* name);

// The function `name` of the system DLL `dll` (already loaded into every process: kernel32,
// user32 ...), or null where this Windows lacks it.
void* findSystemFunction(const char* dll, const char* name);

// Puts `lookup` in place of the real lookup (null: the real one again); returns the one before.
SystemFunctionLookup replaceSystemFunctionLookup(SystemFunctionLookup lookup);

// findSystemFunction with the function's own type. GetProcAddress hands out a generic pointer,
// so the cast that names the real signature has to be made somewhere.
template <typename Function>
Function systemFunction(const char* dll, const char* name) {
    return reinterpret_cast<Function>(findSystemFunction(dll, name));
}

}  // namespace quillmere::platform
