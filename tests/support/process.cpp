#include "tests/support/process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

fs::path makeScratchDirectory(const std::string& tag) {
    static int serial = 0;
    const fs::path dir = fs::temp_directory_path() /
                         ("pelk_e2e_" + std::to_string(::getpid()) + "_" + std::to_string(++serial) + "_" + tag);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

ProcessResult runProcess(const std::vector<std::string>& command, const fs::path& workDir) {
    ProcessResult result;
    // The captured streams live outside workDir, so they never look like
    // generated files.
    const fs::path captures = makeScratchDirectory("captures");
    const fs::path outPath = captures / "stdout";
    const fs::path errPath = captures / "stderr";

    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || ::chdir(workDir.c_str()) != 0)
            ::_exit(126);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    fs::remove_all(captures);
    return result;
}

fs::path pelkBinary() {
    return PELK_BINARY;
}

std::vector<std::string> pelkCommand() {
    std::vector<std::string> command;
    if (const char* configured = std::getenv("PELK_COMMAND")) {
        std::istringstream words(configured);
        for (std::string word; words >> word;)
            command.push_back(word);
    }
    if (command.empty())
        command.push_back(PELK_BINARY);
    return command;
}

std::vector<std::string> pelkWith(const std::vector<std::string>& args) {
    std::vector<std::string> command = pelkCommand();
    command.insert(command.end(), args.begin(), args.end());
    return command;
}

bool expectCrLf() {
    const char* value = std::getenv("PELK_EXPECT_CRLF");
    return value && *value && std::string(value) != "0";
}

bool crLfToLf(std::string& text, bool requireAll) {
    std::string converted;
    bool complete = true;
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            complete = false;
        converted += text[i];
    }
    text = converted;
    return complete || !requireAll;
}
