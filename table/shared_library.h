#ifndef PELK_TABLE_SHARED_LIBRARY_H
#define PELK_TABLE_SHARED_LIBRARY_H

/// CSharedLibrary loads a shared library at run time, finds its functions by
/// exported name and releases it. A library is an opaque handle.
class CSharedLibrary {
public:
    /// The type every found function is handed out as; the caller casts it
    /// to the function's real type.
    typedef void (*Function)(void);

    /// Loads the library known by the Windows file name fileName (for
    /// example "Kerrow.dll"); null when it cannot be loaded.
    static void* load(const char* fileName);
    /// The function exported as name by library; null when there is none.
    static Function find(void* library, const char* name);
    /// Releases a library returned by load.
    static void release(void* library);
};

#endif
