#ifndef PELK_TABLE_CLI_OUTPUT_FILE_H
#define PELK_TABLE_CLI_OUTPUT_FILE_H

#include <ostream>
#include <string>

/// COutputFile is where every command writes what it makes (-o FILE).
class COutputFile {
public:
    /// Writes text to path, or to standard output when path is empty or
    /// "-". A regular file (or a new one) is written beside it under a
    /// temporary name and renamed over it, so that a failure never leaves
    /// half a file where a build expects a whole one; a special file
    /// (/dev/stdout, a FIFO, a device) is written directly. False after
    /// "pelk-table: cannot write 'PATH': REASON" on err.
    static bool write(const std::string& path, const std::string& text, std::ostream& err);
};

#endif
