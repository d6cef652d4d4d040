#ifndef PELK_TESTS_PROCESS_H
#define PELK_TESTS_PROCESS_H

#include <filesystem>
#include <string>
#include <vector>

/// What a finished process left behind.
struct ProcessResult {
    int status = -1;  ///< exit status; -1 when it did not exit normally
    std::string out;  ///< everything written to standard output
    std::string err;  ///< everything written to standard error
};

/// Runs command (program and arguments) in workDir with standard input
/// empty, and waits for it.
ProcessResult runProcess(const std::vector<std::string>& command, const std::filesystem::path& workDir);

/// The command that starts pelk: the words of $PELK_COMMAND (for example
/// "wine64 /path/pelk.exe") or else the pelk of this build.
std::vector<std::string> pelkCommand();

/// The pelk of this build.
std::filesystem::path pelkBinary();

/// pelkCommand() followed by args.
std::vector<std::string> pelkWith(const std::vector<std::string>& args);

/// True when $PELK_EXPECT_CRLF is set: the platform ends text lines with CR LF.
bool expectCrLf();

/// Turns every CR LF into LF; with requireAll, reports (as false) a LF
/// without its CR.
bool crLfToLf(std::string& text, bool requireAll);

/// A fresh, empty scratch directory named after the running test.
std::filesystem::path makeScratchDirectory(const std::string& tag);

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& text);

#endif
