#include "codegen/ra78k0/n_code.h"

#include <string>

#include "codegen/asm_code_writer.h"
#include "table/st_table.h"

namespace {

const std::string kStorageDirective = "ds";
const std::string kWordDirective = "dw";
const std::string kEquateDirective = "equ";

// Action subroutines are called with an absolute address.
const std::string kCallPrefix = "!";

}  // namespace

CNCode::CNCode(const CSTTable* table)
    : CCode(table) {}

CNCode::~CNCode() = default;

CAsmCodeWriter CNCode::writer() {
    return CAsmCodeWriter(*this, *table, columnSeparator, kWordDirective, kEquateDirective, kCallPrefix);
}

int CNCode::writeSourceHead() {
    const std::string& name = table->machineName();
    writeSourceLine("name", names().moduleName());
    writeSourceLine("");
    writeIncludeDirective(table->contextFile());
    writeSourceLine("");
    writeSourceLine("public", initFunctionName());
    writeSourceLine("public", fsmFunctionName());
    writeSourceLine("public", getStateFunctionName());
    writeSourceLine("");
    writeDataSegment(name, "saddr");
    writeDataDefinition(stateVariableName(), 1, "internal state");
    writeSourceLine("");
    return 0;
}

int CNCode::writeSourceBody() {
    writeCodeSegment(table->machineName(), "unitp");
    writeVectorTable();
    writeInitRoutine();
    writeFsmRoutine();
    writeGetStateRoutine();
    writeCellRoutines();
    return 0;
}

int CNCode::writeSourceTail() {
    return writer().writeSourceTail();
}

int CNCode::writeIncludeFile() {
    return writer().writeIncludeFile(includeStream);
}

void CNCode::writeCodeSegment(const std::string& name, const std::string& attribute) {
    sourceStream << CGeneratedNames(name).codeSegment() << columnSeparator << "cseg" << columnSeparator << attribute;
    endLine(sourceStream);
}

void CNCode::writeDataSegment(const std::string& name, const std::string& attribute) {
    sourceStream << CGeneratedNames(name).dataSegment() << columnSeparator << "dseg" << columnSeparator << attribute;
    endLine(sourceStream);
}

void CNCode::writeDataDefinition(const std::string& label, int size, const std::string& comment) {
    sourceStream << label << ":" << columnSeparator << kStorageDirective << columnSeparator << size << columnSeparator
                 << "; " << comment;
    endLine(sourceStream);
}

// The blank after the closing parenthesis belongs to the directive.
void CNCode::writeIncludeDirective(const std::string& fileName) {
    if (fileName.empty())
        return;
    writeSourceLine("$include( " + fileName + " ) ");
}

void CNCode::writeVectorTable() {
    writer().writeVectorTable();
}

void CNCode::writeInitRoutine() {
    writeSourceLabel(initFunctionName());
    writeSourceLine("mov", stateVariableName() + ",#0");
    writeSourceLine("ret");
    writeSourceLine("");
}

// Event in A on entry. X takes the state, B twice the event; AX = state *
// row size, plus B with carry into H, plus the table address; the word at
// [hl] is the cell routine, whose own ret returns to the caller.
void CNCode::writeFsmRoutine() {
    const std::string rowSize = std::to_string(2 * table->eventCount());
    writeSourceLabel(fsmFunctionName());
    writeSourceLine("xch", "a,x");
    writeSourceLine("mov", "a," + stateVariableName());
    writeSourceLine("xch", "a,x");
    writeSourceLine("clr1", "cy");
    writeSourceLine("rolc", "a,1");
    writeSourceLine("mov", "b,a");
    writeSourceLine("mov" + columnSeparator + "a,#" + rowSize + columnSeparator + "; #" + rowSize +
                    " is offset of one-state.");
    writeSourceLine("mulu", "x");
    writeSourceLine("movw", "hl,ax");
    writeSourceLine("mov", "a,l");
    writeSourceLine("add", "a,b");
    writeSourceLine("mov", "l,a");
    writeSourceLine("mov", "a,h");
    writeSourceLine("addc", "a,#0");
    writeSourceLine("mov", "h,a");
    writeSourceLine("mov", "a,l");
    writeSourceLine("mov", "x,a");
    writeSourceLine("mov", "a,h");
    writeSourceLine("addw", "ax,#" + names().vectorTable());
    writeSourceLine("movw", "hl,ax");
    writeSourceLine("mov", "a,[hl]");
    writeSourceLine("mov", "x,a");
    writeSourceLine("mov", "a,[hl+1]");
    writeSourceLine("; alternative subroutine call");
    writeSourceLine("br", "ax");
    writeSourceLine("");
}

void CNCode::writeGetStateRoutine() {
    writer().writeGetStateRoutine();
}

void CNCode::writeCellRoutines() {
    writer().writeCellRoutines();
}
