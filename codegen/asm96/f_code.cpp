#include "codegen/asm96/f_code.h"

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
    : CAsmCode(table, kAsm96) {}
