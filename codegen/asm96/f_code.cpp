#include "codegen/asm96/f_code.h"

#include <string>

#include "codegen/asm_code_writer.h"
#include "table/st_table.h"

namespace {

const std::string kStorageDirective = "rb";
const std::string kWordDirective = "dw";
const std::string kEquateDirective = "equ";

// Action subroutines are called by their bare name.
const std::string kCallPrefix = "";

}  // namespace

CFCode::CFCode(const CSTTable* table)
    : CCode(table) {}

CFCode::~CFCode() = default;

CAsmCodeWriter CFCode::writer() {
    return CAsmCodeWriter(*this, *table, columnSeparator, kWordDirective, kEquateDirective, kCallPrefix);
}

int CFCode::writeSourceHead() {
    const std::string& name = table->machineName();
    writeSourceLine("name", names().moduleName());
    writeSourceLine("");
    writeSourceLine("public", initFunctionName());
    writeSourceLine("public", fsmFunctionName());
    writeSourceLine("public", getStateFunctionName());
    writeSourceLine("");
    writeDataSegment(name, "public");
    writeDataDefinition(stateVariableName(), 1, "internal state");
    writeDataSegmentEnd(name);
    writeSourceLine("");
    return 0;
}

int CFCode::writeSourceBody() {
    writeCodeSegment(table->machineName(), "public");
    writeIncludeDirective(table->contextFile());
    writeSourceLine("");
    writeVectorTable();
    writeInitRoutine();
    writeFsmRoutine();
    writeGetStateRoutine();
    writeCellRoutines();
    writeCodeSegmentEnd(table->machineName());
    return 0;
}

int CFCode::writeSourceTail() {
    return writer().writeSourceTail();
}

int CFCode::writeIncludeFile() {
    return writer().writeIncludeFile(includeStream);
}

void CFCode::writeCodeSegment(const std::string& name, const std::string& attribute) {
    sourceStream << CGeneratedNames(name).codeSegment() << columnSeparator << "cseg" << columnSeparator << attribute;
    endLine(sourceStream);
}

void CFCode::writeCodeSegmentEnd(const std::string& name) {
    sourceStream << CGeneratedNames(name).codeSegment() << columnSeparator << "ends";
    endLine(sourceStream);
}

void CFCode::writeDataSegment(const std::string& name, const std::string& attribute) {
    sourceStream << CGeneratedNames(name).dataSegment() << columnSeparator << "dseg" << columnSeparator << attribute;
    endLine(sourceStream);
}

void CFCode::writeDataSegmentEnd(const std::string& name) {
    sourceStream << CGeneratedNames(name).dataSegment() << columnSeparator << "ends";
    endLine(sourceStream);
}

void CFCode::writeDataDefinition(const std::string& label, int size, const std::string& comment) {
    sourceStream << label << ":" << columnSeparator << kStorageDirective << columnSeparator << size << columnSeparator
                 << "; " << comment;
    endLine(sourceStream);
}

void CFCode::writeIncludeDirective(const std::string& fileName) {
    if (fileName.empty())
        return;
    writeSourceLine("&include " + fileName);
}

void CFCode::writeVectorTable() {
    writer().writeVectorTable();
}

void CFCode::writeInitRoutine() {
    writeSourceLabel(initFunctionName());
    writeSourceLine("mov", "a,#0");
    writeSourceLine("mov", stateVariableName() + ",a");
    writeSourceLine("ret");
    writeSourceLine("");
}

// Event in A on entry. Twice the event is pushed as a word; A = state * row
// size; the pushed word and the table address are added; the word at EP is
// the cell routine, whose own ret returns to the caller.
void CFCode::writeFsmRoutine() {
    const std::string rowSize = std::to_string(2 * table->eventCount());
    writeSourceLabel(fsmFunctionName());
    writeSourceLine("movw", "a,#0");
    writeSourceLine("xch", "a,t");
    writeSourceLine("clrc");
    writeSourceLine("rolc", "a");
    writeSourceLine("swap");
    writeSourceLine("rolc", "a");
    writeSourceLine("swap");
    writeSourceLine("pushw", "a");
    writeSourceLine("mov", "a," + stateVariableName());
    writeSourceLine("mov" + columnSeparator + "a,#" + rowSize + columnSeparator + "; #" + rowSize +
                    " is offset of one-state.");
    writeSourceLine("mulu", "a");
    writeSourceLine("xchw", "a,t");
    writeSourceLine("popw", "a");
    writeSourceLine("clrc");
    writeSourceLine("addcw", "a");
    writeSourceLine("movw", "a,#" + names().vectorTable());
    writeSourceLine("clrc");
    writeSourceLine("addcw", "a");
    writeSourceLine("movw", "ep,a");
    writeSourceLine("movw", "a,@ep");
    writeSourceLine("; alternative subroutine call");
    writeSourceLine("jmp", "@a");
    writeSourceLine("");
}

void CFCode::writeGetStateRoutine() {
    writer().writeGetStateRoutine();
}

void CFCode::writeCellRoutines() {
    writer().writeCellRoutines();
}
