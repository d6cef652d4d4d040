// How pelk finds and binds the splitter library: copies of pelk beside
// stand-in libraries that lack one export each, in the layouts of a build
// tree and of an installed tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/paths.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

const std::string kDoorTableText = exampleTable("door.tsv");
const char* const kDoorTable = kDoorTableText.c_str();
const char kNoKeywordTable[] = "note\tstart\tNo\tOPEN_REQ\n\tCLOSED\t0\t1\n";
const char kKeywordMessage[] = "not found KeyWord\"START\"\n";

fs::path stub(const std::string& missing) {
    return fs::path(PELK_STUB_DIR) / ("stub_without_" + missing + ".so");
}

// The stand-in libraries and the copies of pelk only make sense for the
// pelk of this build on this platform.
bool runsOwnPelk() {
    return std::getenv("PELK_COMMAND") == nullptr;
}

// A copy of pelk at root/program, with library (when not empty) copied to
// root/libraryPlace. Returns the copy of pelk.
fs::path installPelk(const fs::path& root, const std::string& program, const fs::path& library,
                     const std::string& libraryPlace) {
    const fs::path pelk = root / program;
    fs::create_directories(pelk.parent_path());
    fs::copy_file(pelkBinary(), pelk);
    if (!library.empty()) {
        fs::create_directories((root / libraryPlace).parent_path());
        fs::copy_file(library, root / libraryPlace);
    }
    return pelk;
}

struct BindingCase {
    const char* name;
    std::string missing;  // the stand-in's missing export; "" for no library at all
    const char* table;    // written to table.tsv; null to name a file that is not there
    std::string err;
    int status;
};

void PrintTo(const BindingCase& c, std::ostream* out) {
    *out << c.name;
}

// The tests run copies of the pelk of this build beside libraries of their
// choosing, found only where pelk itself looks.
template <typename Case>
class CopiedPelkTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        if (!runsOwnPelk())
            GTEST_SKIP() << "copies of pelk need the pelk of this build";
        ::unsetenv("LD_LIBRARY_PATH");
    }
};

using LibraryBindingTest = CopiedPelkTest<BindingCase>;

TEST_P(LibraryBindingTest, ReportsWhatTheLibraryLacks) {
    const BindingCase& c = GetParam();
    const fs::path root = makeScratchDirectory("binding");
    const fs::path pelk = installPelk(root, "pelk", c.missing.empty() ? fs::path() : stub(c.missing), "libKerrow.so");
    const fs::path work = root / "work";
    fs::create_directories(work);
    if (c.table)
        writeFile(work / "table.tsv", c.table);

    const ProcessResult result = runProcess({pelk.string(), "-nDoor", c.table ? "table.tsv" : "missing.tsv"}, work);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.status, c.status);
    if (c.status == 0) {
        EXPECT_TRUE(fs::is_regular_file(work / "Doorfsm.asm"));
        EXPECT_TRUE(fs::is_regular_file(work / "Doorfsm.inc"));
    } else {
        EXPECT_FALSE(fs::exists(work / "Doorfsm.asm"));
        EXPECT_FALSE(fs::exists(work / "Doorfsm.inc"));
    }
    fs::remove_all(root);
}

const BindingCase kBindingCases[] = {
    {"NoLibrary", "", kDoorTable, "Kerrow.dll loading error.\n", 1},
    {"WithoutKerrow", "Kerrow", kDoorTable, "GetProcAddres() error. ( Kerrow )\n", 1},
    {"WithoutGetErrorMessage", "GetErrorMessage", kDoorTable, "GetProcAddres() error. ( GetErrorMessage )\n", 1},
    // The file is never opened: a missing one gives no other message.
    {"WithoutGetKerrowVersion", "GetKerrowVersion", nullptr, "GetProcAddres() error. ( GetKerrowVersion )\n", 1},
    {"WithoutGetFirstTsvRecord", "GetFirstTsvRecord", kDoorTable,
     std::string("GetProcAddress( ) for GetFirstTsvRecord error\n") + kKeywordMessage, 1},
    {"WithoutGetNextTsvRecord", "GetNextTsvRecord", kDoorTable, "GetProcAddress( ) for GetNextTsvRecord error\n", 1},
    {"WithoutFreeAllRecords", "FreeAllRecords", kDoorTable, "GetProcAddres() error. ( FreeAllRecords )\n", 1},
    {"WithoutFreeAllRecordsAfterABadTable", "FreeAllRecords", kNoKeywordTable,
     std::string(kKeywordMessage) + "GetProcAddres() error. ( FreeAllRecords )\n", 1},
    // The message and the version text are the library's own.
    {"SplitFailure", "none", nullptr, "stub cannot open missing.tsv ( Kerrow.dll 0.0-stub )\n", 1},
    {"EmptyFile", "none", "", std::string("GetFirstTsvRecord() error\n") + kKeywordMessage, 1},
    {"NoKeyword", "none", kNoKeywordTable, kKeywordMessage, 1},
    {"CompleteLibrary", "none", kDoorTable, "", 0},
    // A record the library fails to hand out is not the end of the table.
    {"ThirdRecordNotHandedOut", "ThirdRecord", kDoorTable, "stub cannot hand out record 3 ( Kerrow.dll 0.0-stub )\n",
     1},
};

INSTANTIATE_TEST_SUITE_P(Stubs, LibraryBindingTest, ::testing::ValuesIn(kBindingCases),
                         [](const ::testing::TestParamInfo<BindingCase>& info) {
                             return std::string(info.param.name);
                         });

struct LayoutCase {
    const char* name;
    const char* program;
    const char* library;
    bool found;
    bool realLibrary;  // the library of this build rather than a stand-in
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.name;
}

using LibraryLayoutTest = CopiedPelkTest<LayoutCase>;

// Whatever the working directory, pelk looks beside itself, in lib/pelk and
// in lib next to its bin directory, and nowhere else of its own tree.
TEST_P(LibraryLayoutTest, FindsTheLibraryBesideItself) {
    const LayoutCase& c = GetParam();
    const fs::path root = makeScratchDirectory("layout");
    const fs::path pelk =
        installPelk(root, c.program, c.realLibrary ? fs::path(PELK_KERROW_LIBRARY) : stub("none"), c.library);
    const fs::path work = root / "elsewhere" / "work";
    fs::create_directories(work);
    writeFile(root / "elsewhere" / "door.tsv", kDoorTable);

    // A path starting with "/" would read as an option.
    const ProcessResult result = runProcess({pelk.string(), "-nDoor", "../door.tsv"}, work);
    if (c.found) {
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(fs::is_regular_file(work / "Doorfsm.asm"));
    } else {
        EXPECT_EQ(result.err, "Kerrow.dll loading error.\n");
        EXPECT_EQ(result.status, 1);
    }
    fs::remove_all(root);
}

const LayoutCase kLayouts[] = {
    {"BuildTree", "build/pelk", "build/libKerrow.so", true, false},
    {"InstalledTree", "usr/bin/pelk", "usr/lib/pelk/libKerrow.so", true, false},
    {"InstalledTreeWithTheRealLibrary", "opt/pelk/bin/pelk", "opt/pelk/lib/pelk/libKerrow.so", true, true},
    {"OlderInstalledTree", "usr/bin/pelk", "usr/lib/libKerrow.so", true, false},
    {"WindowsName", "build/pelk", "build/Kerrow.dll", false, false},
    {"LibBesideBin", "usr/bin/pelk", "usr/libKerrow.so", false, false},
    {"LibBelowProgram", "build/pelk", "build/lib/libKerrow.so", false, false},
    {"PelkBesideBin", "usr/bin/pelk", "usr/pelk/libKerrow.so", false, false},
};

INSTANTIATE_TEST_SUITE_P(Layouts, LibraryLayoutTest, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

}  // namespace
