#ifndef PELK_DRIVER_PELK_CMD_LINE_H
#define PELK_DRIVER_PELK_CMD_LINE_H

#include <string>

#include "codegen/targets.h"
#include "driver/cmd_line.h"

/// CPelkCmdLine reads pelk's own options from the argument list.
class CPelkCmdLine : public CCmdLine {
public:
    /// The outcomes of parse().
    enum Outcome {
        kRun = 0,      ///< arguments complete: run the generation
        kHelp = 1,     ///< print the help
        kUsage = 2,    ///< print the usage line
        kVersion = 3,  ///< print the version line
        kError = 4,    ///< option error; errorMessage() holds the text
    };

    CPelkCmdLine(int argc, const char* const* argv);
    ~CPelkCmdLine() override;

    /// Reads the arguments once; returns one of the Outcome values.
    int parse();

    /// 0 and kind set when name is one of the target names (case ignored),
    /// 1 with kind untouched otherwise.
    static int targetFromName(const std::string& name, int& kind);

    const std::string& tablePath() const { return m_tablePath; }
    const std::string& fsmName() const { return m_fsmName; }
    const std::string& contextFile() const { return m_contextFile; }
    int targetKind() const { return m_targetKind; }

    /// Write the fixed texts to standard output.
    static void printHelp();
    static void printUsage();
    static void printVersion();

private:
    int parseRequest(const std::string& argument);
    int parseOption(const std::string& option);
    int optionError(const std::string& option);

    std::string m_tablePath;
    std::string m_fsmName;
    std::string m_contextFile;
    int m_targetKind;
};

#endif
