#ifndef PELK_CODEGEN_C_C_CODE_H
#define PELK_CODEGEN_C_C_CODE_H

#include <cstdint>
#include <string>

#include "codegen/code.h"

/// CCCode writes the machine as an ANSI C module (.c) and its header (.h).
class CCCode : public CCode {
public:
    /// Switches the file extensions to ".c" and ".h".
    explicit CCCode(const CSTTable* table);
    ~CCCode() override;

    /// Comment box, context include, prototypes and the state variable; 0.
    int writeSourceHead() override;
    /// Vector table, init, machine and get-state functions, cell functions; 0.
    int writeSourceBody() override;
    /// The generation stamp line; 0.
    int writeSourceTail() override;
    /// The whole header; -1 (nothing written) when the header stream is bad.
    int writeIncludeFile() override;

    /// Joins the non-empty columns without separator, indenting only a
    /// non-empty first column, then ends the line; returns 0.
    int writeSourceLine(const std::string& a, const std::string& b = std::string(),
                        const std::string& c = std::string()) override;

    /// The table of cell function pointers, state-major; 0.
    virtual int writeVectorTable();

    /// A copy of text with a to z in capitals, every other byte unchanged.
    static std::string upperCase(const std::string& text);

protected:
    /// indentLevel tabs; empty when the level is 0 or less.
    std::string indentation() const;
    /// #include "name" straight into the source (never indented); nothing
    /// for an empty name; 0.
    int writeIncludeDirective(const std::string& name);
    /// The vector table, pointerQualifier ("" or a qualifier and a blank)
    /// before the name of its pointer type; 0.
    int writeVectorTableWith(const std::string& pointerQualifier);

    int writeInitRoutine();
    int writeFsmRoutine();
    int writeGetStateRoutine();
    int writeCellRoutines();

    /// Tabs before the first column: 1 inside a function body, else 0.
    int32_t indentLevel;

private:
    void writeCellRoutine(int event, int state);
    std::string guardName() const;
};

#endif
