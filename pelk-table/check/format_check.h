#ifndef PELK_TABLE_CHECK_FORMAT_CHECK_H
#define PELK_TABLE_CHECK_FORMAT_CHECK_H

class CCheckContext;

/// CFormatCheck finds what pelk itself would refuse (table-format), every
/// occurrence, and text that is not what pelk reads it as (encoding).
class CFormatCheck {
public:
    static void run(CCheckContext& context);

private:
    static bool checkEncoding(CCheckContext& context);
    static void checkSplit(CCheckContext& context);
    static void checkRecords(CCheckContext& context);
    static void checkLimits(CCheckContext& context);
    static void checkUtf8Names(CCheckContext& context);
};

#endif
