#ifndef PELK_TABLE_CHECK_FORMAT_CHECK_H
#define PELK_TABLE_CHECK_FORMAT_CHECK_H

class CCheckContext;

/// CFormatCheck finds what pelk itself would refuse (table-format), every
/// occurrence, and text that is not what pelk reads it as (encoding).
class CFormatCheck {
public:
    static void run(CCheckContext& context);
    /// The merged areas of a workbook that cover cells of the table
    /// (merged-cells).
    static void runMerges(CCheckContext& context);
};

#endif
