#include "table/shared_library.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

// "Kerrow.dll" is libKerrow.so here.
std::string platformFileName(const std::string& fileName) {
    static const std::string kWindowsSuffix = ".dll";
    std::string base = fileName;
    if (base.size() > kWindowsSuffix.size() &&
        base.compare(base.size() - kWindowsSuffix.size(), kWindowsSuffix.size(), kWindowsSuffix) == 0)
        base.erase(base.size() - kWindowsSuffix.size());
    return "lib" + base + ".so";
}

// The directory of the running program, with its trailing slash; empty
// when it cannot be told.
std::string programDirectory() {
    std::vector<char> path(PATH_MAX + 1);
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0 || static_cast<size_t>(length) >= path.size() - 1)
        return std::string();
    const std::string program(path.data(), static_cast<size_t>(length));
    const std::string::size_type slash = program.rfind('/');
    return slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
}

}  // namespace

// The library is looked for beside the program (a build tree), then in
// pelk's private directory lib/pelk next to the program's bin directory (an
// installed tree), then in that lib directory itself (trees installed
// before the library moved to lib/pelk), and last by the loader's own search
// for the bare name.
void* CSharedLibrary::load(const char* fileName) {
    const std::string name = platformFileName(fileName);
    const std::string directory = programDirectory();
    if (!directory.empty()) {
        for (const std::string& candidate :
             {directory + name, directory + "../lib/pelk/" + name, directory + "../lib/" + name}) {
            if (::access(candidate.c_str(), F_OK) != 0)
                continue;
            if (void* library = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL))
                return library;
        }
    }
    return ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

CSharedLibrary::Function CSharedLibrary::find(void* library, const char* name) {
    return reinterpret_cast<Function>(::dlsym(library, name));
}

void CSharedLibrary::release(void* library) {
    ::dlclose(library);
}
