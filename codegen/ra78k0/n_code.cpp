#include "codegen/ra78k0/n_code.h"

namespace {

// Event in A on entry. X takes the state, B twice the event; AX = state *
// row size, plus B with carry into H, plus the table address; the word at
// [hl] is the cell routine, whose own ret returns to the caller. Action
// subroutines are called with an absolute address ("!").
const ASM_DIALECT_ kRa78k0 = {
    "ds",          // storage directive
    "dw",          // word directive
    "equ",         // equate directive
    "saddr",       // data segment attribute
    "unitp",       // code segment attribute
    false,         // "ends" lines
    "$include( ",  // include directive, up to the file name
    " ) ",         // include directive, after the file name
    true,          // the include directive in the head
    "!",           // before the name of a called action
    {
        {"mov", "{SV},#0"},
        {"ret", ""},
    },
    {
        {"xch", "a,x"},
        {"mov", "a,{SV}"},
        {"xch", "a,x"},
        {"clr1", "cy"},
        {"rolc", "a,1"},
        {"mov", "b,a"},
        {"mov", "a,#{N}\t; #{N} is offset of one-state."},
        {"mulu", "x"},
        {"movw", "hl,ax"},
        {"mov", "a,l"},
        {"add", "a,b"},
        {"mov", "l,a"},
        {"mov", "a,h"},
        {"addc", "a,#0"},
        {"mov", "h,a"},
        {"mov", "a,l"},
        {"mov", "x,a"},
        {"mov", "a,h"},
        {"addw", "ax,#{STT}"},
        {"movw", "hl,ax"},
        {"mov", "a,[hl]"},
        {"mov", "x,a"},
        {"mov", "a,[hl+1]"},
        {"; alternative subroutine call", ""},
        {"br", "ax"},
    },
};

}  // namespace

CNCode::CNCode(const CSTTable* table)
    : CAsmCode(table, kRa78k0) {}
