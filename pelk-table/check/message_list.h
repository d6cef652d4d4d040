#ifndef PELK_TABLE_CHECK_MESSAGE_LIST_H
#define PELK_TABLE_CHECK_MESSAGE_LIST_H

#include "pelk-table/check/finding.h"

/// CMessageList is the one list of the sentences that findings and their
/// notes say, each by its handle (MESSAGE_ID_). A sentence is a pattern in
/// which %N stands for argument N, worded by its kind (ARGUMENT_), %sN for
/// an "s" unless argument N is the number 1, and %% for a percent sign.
/// Only the writers of pelk-table/report/ turn a pattern into text.
class CMessageList {
public:
    /// The pattern of a message.
    static const char* pattern(MESSAGE_ID_ id);
};

#endif
