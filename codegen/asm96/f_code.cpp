#include "codegen/asm96/f_code.h"

#include <string>

#include "codegen/asm_code_writer.h"

namespace {

// Event in A on entry. Twice the event is pushed as a word; A = state * row
// size; the pushed word and the table address are added; the word at EP is
// the cell routine, whose own ret returns to the caller. Action subroutines
// are called by their bare name.
const ASM_DIALECT_ kAsm96 = {
    "rb",         // storage directive
    "dw",         // word directive
    "equ",        // equate directive
    "public",     // data segment attribute
    "public",     // code segment attribute
    true,         // "ends" lines
    "&include ",  // include directive, up to the file name
    "",           // include directive, after the file name
    false,        // the include directive in the head
    "",           // before the name of a called action
    {
        {"mov", "a,#0"},
        {"mov", "{SV},a"},
        {"ret", ""},
    },
    {
        {"movw", "a,#0"},
        {"xch", "a,t"},
        {"clrc", ""},
        {"rolc", "a"},
        {"swap", ""},
        {"rolc", "a"},
        {"swap", ""},
        {"pushw", "a"},
        {"mov", "a,{SV}"},
        {"mov", "a,#{N}\t; #{N} is offset of one-state."},
        {"mulu", "a"},
        {"xchw", "a,t"},
        {"popw", "a"},
        {"clrc", ""},
        {"addcw", "a"},
        {"movw", "a,#{STT}"},
        {"clrc", ""},
        {"addcw", "a"},
        {"movw", "ep,a"},
        {"movw", "a,@ep"},
        {"; alternative subroutine call", ""},
        {"jmp", "@a"},
    },
};

}  // namespace

CFCode::CFCode(const CSTTable* table)
    : CCode(table) {}

CFCode::~CFCode() = default;

CAsmCodeWriter CFCode::writer() {
    return CAsmCodeWriter(*this, *table, sourceStream, columnSeparator, kAsm96);
}

int CFCode::writeSourceHead() {
    return writer().writeSourceHead();
}

int CFCode::writeSourceBody() {
    return writer().writeSourceBody();
}

int CFCode::writeSourceTail() {
    return writer().writeSourceTail();
}

int CFCode::writeIncludeFile() {
    return writer().writeIncludeFile(includeStream);
}

void CFCode::writeCodeSegment(const std::string& name, const std::string& attribute) {
    writer().writeCodeSegment(name, attribute);
}

void CFCode::writeCodeSegmentEnd(const std::string& name) {
    writer().writeCodeSegmentEnd(name);
}

void CFCode::writeDataSegment(const std::string& name, const std::string& attribute) {
    writer().writeDataSegment(name, attribute);
}

void CFCode::writeDataSegmentEnd(const std::string& name) {
    writer().writeDataSegmentEnd(name);
}

void CFCode::writeDataDefinition(const std::string& label, int size, const std::string& comment) {
    writer().writeDataDefinition(label, size, comment);
}

void CFCode::writeIncludeDirective(const std::string& fileName) {
    writer().writeIncludeDirective(fileName);
}

void CFCode::writeVectorTable() {
    writer().writeVectorTable();
}

void CFCode::writeInitRoutine() {
    writer().writeInitRoutine();
}

void CFCode::writeFsmRoutine() {
    writer().writeFsmRoutine();
}

void CFCode::writeGetStateRoutine() {
    writer().writeGetStateRoutine();
}

void CFCode::writeCellRoutines() {
    writer().writeCellRoutines();
}
