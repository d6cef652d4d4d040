// What the benchmarks share: the tables they run on, and one timed run of a
// program.
#ifndef PELK_BENCH_BENCH_SUPPORT_H
#define PELK_BENCH_BENCH_SUPPORT_H

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

struct Size {
    int states;
    int events;
};

/// Writes a table of size to path: START in column 0, events EV0..., states
/// ST0..., and cellOf(s, e) as the cell of state s for event e.
inline void writeTable(const std::filesystem::path& path, const Size& size,
                       const std::function<std::string(int, int)>& cellOf) {
    std::ofstream out(path, std::ios::binary);
    out << "START\t";
    for (int e = 0; e < size.events; ++e)
        out << "\tEV" << e;
    out << '\n';
    for (int s = 0; s < size.states; ++s) {
        out << "ST" << s << '\t' << s;
        for (int e = 0; e < size.events; ++e)
            out << '\t' << cellOf(s, e);
        out << '\n';
    }
}

/// Writes a table of size to path: state i goes to (i + e + 1) mod states
/// on event e and calls three actions.
inline void writeTable(const std::filesystem::path& path, const Size& size) {
    writeTable(path, size, [&size](int s, int e) {
        return std::to_string((s + e + 1) % size.states) + "/On" + std::to_string(e) + ",Log" + std::to_string(s) +
               ",Tick";
    });
}

/// One run: wall time, peak resident memory, and how it ended.
struct RUN_ {
    double wallMs;
    long peakKiB;
    int status;  ///< exit status; -1 when it did not exit
};

/// Runs command (program and arguments) in dir with standard output to
/// output (discarded when empty) and standard error discarded. Exits the
/// benchmark when the program cannot be started.
inline RUN_ runTimed(const std::vector<std::string>& command, const std::filesystem::path& dir,
                     const std::filesystem::path& output = std::filesystem::path()) {
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    const std::string out = output.empty() ? std::string("/dev/null") : output.string();

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int errFd = ::open("/dev/null", O_WRONLY);
        if (outFd < 0 || errFd < 0 || ::chdir(dir.c_str()) != 0)
            ::_exit(126);
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child) {
        std::perror("bench");
        std::exit(2);
    }
    const auto end = std::chrono::steady_clock::now();
    return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss,
            WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

#endif
