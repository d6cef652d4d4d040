#include "table/shared_library.h"

#include <windows.h>

// Windows finds the library by its bare file name, the program's own
// directory first.
void* CSharedLibrary::load(const char* fileName) {
    return reinterpret_cast<void*>(::LoadLibraryA(fileName));
}

CSharedLibrary::Function CSharedLibrary::find(void* library, const char* name) {
    return reinterpret_cast<Function>(::GetProcAddress(static_cast<HMODULE>(library), name));
}

void CSharedLibrary::release(void* library) {
    ::FreeLibrary(static_cast<HMODULE>(library));
}
