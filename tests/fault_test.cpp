// Faults of the environment met by the real pelk: a table it cannot read, a
// place it cannot write, a device that takes nothing. Each ends with its own
// message and status 1, and leaves no output file that looks finished: what
// remains of the outputs is empty or is what the user had put there.
//
// The library missing or lacking an export is covered by the stand-in
// libraries of library_binding_test.cpp.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/paths.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

const std::string kLampTable = exampleTable("lamp.tsv");

// Where one case runs: pelk's working directory and its table argument.
// A non-empty skip names why the case cannot run here.
struct Place {
    fs::path work;
    std::string table;
    std::string skip;
};

// Every case starts from scratch/table.tsv (the lamp table) and an empty
// scratch/work, where pelk runs with the table given as ../table.tsv.
Place standardPlace(const fs::path& scratch) {
    fs::create_directories(scratch / "work");
    return {scratch / "work", "../table.tsv", ""};
}

bool runsAsRoot() {
    return ::geteuid() == 0;
}

// A pelk of another platform (run under wine) knows neither /dev/full nor
// /proc nor the POSIX permission bits.
bool foreignPlatform() {
    return expectCrLf();
}

Place tableIsADirectory(const fs::path& scratch) {
    Place place = standardPlace(scratch);
    fs::create_directory(scratch / "tables");
    place.table = "../tables";
    return place;
}

Place unreadableTable(const fs::path& scratch) {
    Place place = standardPlace(scratch);
    if (runsAsRoot())
        place.skip = "SKIPPED: root reads a file of mode 000; run the tests as another user to cover it";
    fs::permissions(scratch / "table.tsv", fs::perms::none);
    return place;
}

Place readOnlyDirectory(const fs::path& scratch) {
    Place place = standardPlace(scratch);
    if (runsAsRoot())
        place.skip = "SKIPPED: root writes into a directory of mode 555; run the tests as another user to cover it";
    fs::permissions(place.work, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    return place;
}

// No one, root included, creates a file in the top directory of /proc.
Place procDirectory(const fs::path& scratch) {
    Place place = standardPlace(scratch);
    if (!fs::is_directory("/proc/self")) {
        place.skip = "SKIPPED: no /proc on this system";
        return place;
    }
    place.work = "/proc";
    // Relative: an argument starting with '/' is an option.
    place.table = fs::relative(scratch / "table.tsv", "/proc").string();
    return place;
}

Place fullDevice(const fs::path& scratch, const char* name) {
    Place place = standardPlace(scratch);
    if (!fs::exists("/dev/full"))
        place.skip = "SKIPPED: no /dev/full on this system";
    fs::create_symlink("/dev/full", place.work / name);
    return place;
}

Place directoryNamed(const fs::path& scratch, const char* name) {
    Place place = standardPlace(scratch);
    fs::create_directory(place.work / name);
    return place;
}

struct FaultCase {
    const char* name;
    std::vector<std::string> options;  // given before the table argument
    Place (*arrange)(const fs::path& scratch);
    std::string err;
    std::vector<std::string> leftEmpty;  // outputs that must remain, empty
    bool posixOnly;
};

void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.name;
}

class FaultTest : public ::testing::TestWithParam<FaultCase> {};

// What pelk leaves in its working directory: each entry is the user's own
// (a link or a directory arranged beforehand) or an empty output file named
// in leftEmpty; nothing else.
void expectNothingFinished(const fs::path& work, const std::vector<std::string>& leftEmpty) {
    std::vector<std::string> empties;
    for (const fs::directory_entry& entry : fs::directory_iterator(work)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_symlink() || entry.is_directory())
            continue;
        EXPECT_TRUE(entry.is_regular_file()) << name;
        EXPECT_EQ(entry.file_size(), 0u) << name << " looks written";
        empties.push_back(name);
    }
    std::sort(empties.begin(), empties.end());
    std::vector<std::string> expected = leftEmpty;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(empties, expected);
}

TEST_P(FaultTest, FailsWithItsMessageAndLeavesNothingFinished) {
    const FaultCase& c = GetParam();
    if (c.posixOnly && foreignPlatform())
        GTEST_SKIP() << "SKIPPED: a fault of the POSIX environment";
    const fs::path scratch = makeScratchDirectory("fault");
    writeFile(scratch / "table.tsv", kLampTable);
    const Place place = c.arrange(scratch);
    if (!place.skip.empty()) {
        fs::permissions(scratch / "table.tsv", fs::perms::owner_read | fs::perms::owner_write);
        fs::remove_all(scratch);
        GTEST_SKIP() << place.skip;
    }

    std::vector<std::string> args = c.options;
    args.push_back(place.table);
    ProcessResult result = runProcess(pelkWith(args), place.work);
    if (expectCrLf())
        crLfToLf(result.err, true);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.status, 1);
    if (place.work.string().rfind(scratch.string(), 0) == 0) {
        fs::permissions(place.work, fs::perms::owner_all);
        expectNothingFinished(place.work, c.leftEmpty);
    }

    fs::permissions(scratch / "table.tsv", fs::perms::owner_read | fs::perms::owner_write);
    fs::remove_all(scratch);
}

const FaultCase kFaults[] = {
    // The table cannot be read.
    {"TableIsADirectory", {"-nFoo"}, tableIsADirectory, "../tables:1: can't read file. ( Kerrow.dll 1.0 )\n", {}, true},
    {"TableIsUnreadable", {"-nFoo"}, unreadableTable, "can't open file ../table.tsv ( Kerrow.dll 1.0 )\n", {}, true},

    // The outputs cannot be created.
    {"OutputDirectoryIsReadOnly", {"-nFoo"}, readOnlyDirectory, "file open error Foofsm.asm\n", {}, true},
    {"OutputDirectoryTakesNoFiles", {"-nFoo"}, procDirectory, "file open error Foofsm.asm\n", {}, true},
    {"MachineNameInAMissingDirectory", {"-nsub/Foo"}, standardPlace, "file open error sub/Foofsm.asm\n", {}, false},
    {"SourceNameIsADirectory",
     {"-nFoo"},
     [](const fs::path& s) { return directoryNamed(s, "Foofsm.asm"); },
     "file open error Foofsm.asm\n",
     {},
     false},
    // The source is created before the include: it stays, empty.
    {"IncludeNameIsADirectory",
     {"-nFoo"},
     [](const fs::path& s) { return directoryNamed(s, "Foofsm.inc"); },
     "file open error Foofsm.inc\n",
     {"Foofsm.asm"},
     false},
    {"HeaderNameIsADirectory",
     {"-aC", "-nFoo"},
     [](const fs::path& s) { return directoryNamed(s, "Foofsm.h"); },
     "file open error Foofsm.h\n",
     {"Foofsm.c"},
     false},

    // The outputs take nothing: the other file of the pair, written in full,
    // is emptied.
    {"SourceIsAFullDevice",
     {"-nFoo"},
     [](const fs::path& s) { return fullDevice(s, "Foofsm.asm"); },
     "file write error Foofsm.asm\n",
     {"Foofsm.inc"},
     true},
    {"IncludeIsAFullDevice",
     {"-nFoo"},
     [](const fs::path& s) { return fullDevice(s, "Foofsm.inc"); },
     "file write error Foofsm.inc\n",
     {"Foofsm.asm"},
     true},
    {"Asm96SourceIsAFullDevice",
     {"-aFASM96", "-nFoo"},
     [](const fs::path& s) { return fullDevice(s, "Foofsm.asm"); },
     "file write error Foofsm.asm\n",
     {"Foofsm.inc"},
     true},
    {"CSourceIsAFullDevice",
     {"-aC", "-nFoo"},
     [](const fs::path& s) { return fullDevice(s, "Foofsm.c"); },
     "file write error Foofsm.c\n",
     {"Foofsm.h"},
     true},
    {"CHeaderIsAFullDevice",
     {"-aC", "-nFoo"},
     [](const fs::path& s) { return fullDevice(s, "Foofsm.h"); },
     "file write error Foofsm.h\n",
     {"Foofsm.c"},
     true},
    {"Fcc907sHeaderIsAFullDevice",
     {"-aFCC907S", "-nFoo"},
     [](const fs::path& s) { return fullDevice(s, "Foofsm.h"); },
     "file write error Foofsm.h\n",
     {"Foofsm.c"},
     true},
};

INSTANTIATE_TEST_SUITE_P(Faults, FaultTest, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

}  // namespace
