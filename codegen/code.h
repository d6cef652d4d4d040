#ifndef PELK_CODEGEN_CODE_H
#define PELK_CODEGEN_CODE_H

#include <fstream>
#include <string>

#include "codegen/generated_names.h"

class CSTTable;

/// CCode is the base of the code generators. It checks the table against
/// the limits of the generated machine, creates the two output files and
/// calls the four writing phases of the target in order.
class CCode {
public:
    /// Most states and events a generated machine can have.
    static const int kMaxStates = 256;
    static const int kMaxEvents = 128;

    /// Borrows table (may be null; generate() replaces it).
    explicit CCode(const CSTTable* table);
    virtual ~CCode();

    CCode(const CCode&) = delete;
    CCode& operator=(const CCode&) = delete;

    /// First, middle and last part of the source file, and the whole include
    /// file; each returns 0 on success.
    virtual int writeSourceHead() = 0;
    virtual int writeSourceBody() = 0;
    virtual int writeSourceTail() = 0;
    virtual int writeIncludeFile() = 0;

    /// "init_" + machine name + "fsm".
    virtual std::string initFunctionName() const;
    /// machine name + "fsm".
    virtual std::string fsmFunctionName() const;
    /// "get_" + stateVariableName().
    virtual std::string getStateFunctionName() const;
    /// machine name + "_on" + event + "at" + state, in decimal.
    virtual std::string cellRoutineName(int event, int state) const;
    /// machine name + "state".
    virtual std::string stateVariableName() const;

    /// Writes each non-empty column after a column separator, then a line
    /// end, into the source file; returns 0.
    virtual int writeSourceLine(const std::string& a, const std::string& b = std::string(),
                                const std::string& c = std::string());
    /// Writes label + ":" and an optional "; " comment; -1 (nothing written)
    /// for an empty label, else 0.
    virtual int writeSourceLabel(const std::string& label, const std::string& comment = std::string());
    /// Writes "; " + a, " " + b, " " + c (each only when not empty) and a
    /// line end; returns 0.
    virtual int writeSourceComment(const std::string& a, const std::string& b = std::string(),
                                   const std::string& c = std::string());

    /// Creates both files and writes them. 0 when both were written
    /// completely, -1 after reporting a failure on standard error.
    int generate(const CSTTable* table);

    /// The local time as "YYYY/MM/DD hh:mm:ss", in a buffer shared by all
    /// calls and overwritten by the next one.
    static const char* generationStamp();

protected:
    /// The generated names of the table's machine.
    CGeneratedNames names() const;
    /// Ends a line: a newline followed by a flush.
    static std::ostream& endLine(std::ostream& stream);

    const CSTTable* table;
    std::ofstream sourceStream;
    std::ofstream includeStream;
    std::string columnSeparator;
    std::string sourceExtension;
    std::string includeExtension;

private:
    int checkLimits() const;
    int openOutput(std::ofstream& stream, const std::string& fileName);
    int writePhases();
    static int closeOutput(std::ofstream& stream, const std::string& fileName);
    static void emptyOutput(std::ofstream& stream, const std::string& fileName);
};

#endif
