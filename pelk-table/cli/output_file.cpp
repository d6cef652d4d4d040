#include "pelk-table/cli/output_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

// Writes text to the file path opened anew; 0, or the errno of the failure.
int writeFile(const std::string& path, const std::string& text) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return errno ? errno : EIO;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
    const int failure = written ? 0 : (errno ? errno : EIO);
    if (std::fclose(file) != 0 && written)
        return errno ? errno : EIO;
    return failure;
}

// True when path names something other than a regular file: a device, a
// FIFO, a directory, or a link, which is written through rather than
// replaced.
bool isSpecial(const std::string& path) {
    struct stat status;
#ifdef S_ISLNK
    if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode))
        return true;
#endif
    return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

}  // namespace

bool COutputFile::write(const std::string& path, const std::string& text, std::ostream& err) {
    if (path.empty() || path == "-") {
        std::cout << text << std::flush;
        if (std::cout)
            return true;
        err << "pelk-table: cannot write to standard output" << std::endl;
        return false;
    }
    int failure = 0;
    if (isSpecial(path)) {
        failure = writeFile(path, text);
    } else {
        const std::string temporary = path + ".tmp";
        failure = writeFile(temporary, text);
        if (failure == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) {
            // Windows renames onto no existing file: the old one goes first.
            std::remove(path.c_str());
            if (std::rename(temporary.c_str(), path.c_str()) != 0)
                failure = errno ? errno : EIO;
        }
        if (failure != 0)
            std::remove(temporary.c_str());
    }
    if (failure == 0)
        return true;
    err << "pelk-table: cannot write '" << path << "': " << std::strerror(failure) << std::endl;
    return false;
}
