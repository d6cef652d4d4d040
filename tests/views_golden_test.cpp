// Golden cases of the views of pelk-table: a folder per case under
// tests/golden-views holding the table (<case>.tsv; a case without one
// takes examples/<case>.tsv) and under expected/ what `dot`, `mermaid` and
// `markdown` write for it: view.dot, view.mmd and view.md (standard output),
// <view>.stderr when the view writes to standard error and <view>.status
// when it does not exit with 0. Each view runs in the table's folder on the
// table's file name, after the options in the case's file `args` (one per
// line), if it has one; a case with `args` but without a table of its own
// takes examples/<name>.tsv for the name on the first line of `table`.
// PELK_UPDATE_GOLDEN=1 rewrites the expectations.
// No table can hold a double quote in a name (the splitter ends a field
// there); the escapes of quotes are pinned by pelk-table/views/view_text_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/golden.h"
#include "tests/support/paths.h"
#include "tests/support/process.h"

namespace fs = std::filesystem;

namespace {

struct View {
    const char* command;
    const char* extension;
};

const View kViews[] = {{"dot", "dot"}, {"mermaid", "mmd"}, {"markdown", "md"}};

const fs::path kGoldenDir = PELK_VIEWS_GOLDEN_DIR;

fs::path tableOf(const std::string& name) {
    const fs::path own = kGoldenDir / name / (name + ".tsv");
    if (fs::exists(own))
        return own;
    const fs::path named = kGoldenDir / name / "table";
    if (fs::exists(named)) {
        std::string example = readFile(named);
        example.erase(example.find_last_not_of("\n") + 1);
        return examplesDirectory() / (example + ".tsv");
    }
    return examplesDirectory() / (name + ".tsv");
}

// The lines of the case's file `args`: options given to every view.
std::vector<std::string> argsOf(const std::string& name) {
    const fs::path path = kGoldenDir / name / "args";
    std::vector<std::string> args;
    if (!fs::exists(path))
        return args;
    const std::string text = readFile(path);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        if (end > pos)
            args.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return args;
}

ProcessResult runView(const std::vector<std::string>& args, const fs::path& dir) {
    std::vector<std::string> command{PELK_TABLE_BINARY};
    command.insert(command.end(), args.begin(), args.end());
    return runProcess(command, dir);
}

// The expected text of a file that is left out when it would be empty.
std::string expectedText(const fs::path& path, const std::string& absent) {
    return fs::exists(path) ? readFile(path) : absent;
}

class ViewGoldenTest : public ::testing::TestWithParam<std::string> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ViewGoldenTest);

TEST_P(ViewGoldenTest, MatchesItsExpectations) {
    const fs::path table = tableOf(GetParam());
    ASSERT_TRUE(fs::exists(table)) << "case without a table: " << table;
    const fs::path expected = kGoldenDir / GetParam() / "expected";
    if (updatingGolden()) {
        fs::remove_all(expected);
        fs::create_directories(expected);
    }
    for (const View& view : kViews) {
        SCOPED_TRACE(view.command);
        std::vector<std::string> args{view.command};
        const std::vector<std::string> options = argsOf(GetParam());
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(table.filename().string());
        const ProcessResult result = runView(args, table.parent_path());
        const fs::path out = expected / (std::string("view.") + view.extension);
        const fs::path err = expected / (std::string(view.command) + ".stderr");
        const fs::path status = expected / (std::string(view.command) + ".status");
        if (updatingGolden()) {
            if (!result.out.empty())
                writeFile(out, result.out);
            if (!result.err.empty())
                writeFile(err, result.err);
            if (result.status != 0)
                writeFile(status, std::to_string(result.status) + "\n");
            continue;
        }
        ASSERT_TRUE(fs::is_directory(expected))
            << "missing expectations: run with PELK_UPDATE_GOLDEN=1 and review them";
        EXPECT_EQ(result.out, expectedText(out, "")) << "in " << out;
        EXPECT_EQ(result.err, expectedText(err, ""));
        EXPECT_EQ(std::to_string(result.status) + "\n", expectedText(status, "0\n"));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ViewGoldenTest, ::testing::ValuesIn(caseFolders(kGoldenDir)),
                         [](const ::testing::TestParamInfo<std::string>& info) { return testNameOf(info.param); });

// -o writes the view to the file, and nothing to standard output.
TEST(ViewOutput, OptionOWritesTheFile) {
    const fs::path scratch = makeScratchDirectory("views_output");
    const fs::path table = examplesDirectory() / "door.tsv";
    for (const View& view : kViews) {
        SCOPED_TRACE(view.command);
        const ProcessResult shown = runView({view.command, table.string()}, scratch);
        const ProcessResult written = runView({view.command, table.string(), "-o", "out.txt"}, scratch);
        EXPECT_EQ(written.status, 0);
        EXPECT_EQ(written.out, "");
        EXPECT_EQ(written.err, "");
        EXPECT_EQ(readFile(scratch / "out.txt"), shown.out);
    }
    fs::remove_all(scratch);
}

// A table that cannot be read gives no view and no file.
TEST(ViewOutput, NoFileForATableThatCannotBeRead) {
    const fs::path scratch = makeScratchDirectory("views_unreadable");
    const ProcessResult missing = runView({"dot", "missing.tsv", "-o", "out.dot"}, scratch);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "pelk-table: cannot open 'missing.tsv': No such file or directory\n");
    const ProcessResult broken =
        runView({"markdown", (kGoldenDir / "not_a_table" / "not_a_table.tsv").string(), "-o", "out.md"}, scratch);
    EXPECT_EQ(broken.status, 1);
    EXPECT_FALSE(fs::exists(scratch / "out.dot"));
    EXPECT_FALSE(fs::exists(scratch / "out.md"));
    fs::remove_all(scratch);
}

// --format=svg renders through the Graphviz library when the build has it,
// and says clearly that it is not built in otherwise.
TEST(ViewOutput, SvgFormat) {
    const fs::path scratch = makeScratchDirectory("views_svg");
    const ProcessResult result = runView({"dot", "--format=svg", (examplesDirectory() / "lamp.tsv").string()}, scratch);
    if (PELK_TABLE_HAS_GRAPHVIZ) {
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out.rfind("<?xml", 0), 0u) << result.out.substr(0, 200);
        EXPECT_NE(result.out.find("<svg"), std::string::npos);
        EXPECT_NE(result.out.find(">OFF (0)</text>"), std::string::npos);
        EXPECT_NE(result.out.find(">PUSH / LampOn</text>"), std::string::npos);
        // Names are drawn as they are written: Graphviz decodes no entity
        // and reads no backslash sequence of theirs.
        const ProcessResult literal =
            runView({"dot", "--format=svg", (kGoldenDir / "entities" / "entities.tsv").string()}, scratch);
        EXPECT_EQ(literal.status, 0) << literal.err;
        for (const char* text : {">&amp;amp; (0)</text>", ">a\\Nb (1)</text>", ">&amp;#38; / A&amp;B</text>",
                                 "xlink:title=\"state 3 &#39;lost\\G&amp;amp;&#39;"})
            EXPECT_NE(literal.out.find(text), std::string::npos) << text;
    } else {
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("--format=svg is not built in"), std::string::npos) << result.err;
    }
    fs::remove_all(scratch);
}

}  // namespace
