#ifndef PELK_TABLE_CHECK_NAME_CHECK_H
#define PELK_TABLE_CHECK_NAME_CHECK_H

class CCheckContext;

/// CNameCheck finds names that the generated code of the target cannot take:
/// duplicates, invalid symbols, collisions with the generated symbols and
/// with one another, and rows too large for the assembler dispatchers.
class CNameCheck {
public:
    static void run(CCheckContext& context);
};

#endif
