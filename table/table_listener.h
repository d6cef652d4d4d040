#ifndef PELK_TABLE_TABLE_LISTENER_H
#define PELK_TABLE_TABLE_LISTENER_H

#include <string>

/// One reason why a table file cannot be read as a table, with where it was
/// found. Positions count from 0; -1 where one does not apply.
struct TABLE_PROBLEM_ {
    enum Kind {
        kFirstRecordMissing,    ///< the source delivered no first record
        kNoHeader,              ///< no record holds a field "START"
        kRecordFailure,         ///< the source failed to hand out a record
        kFieldCountDiffers,     ///< a state record's field count differs from the first one's
        kTooFewForState,        ///< a state record lacks its name or its number
        kFewerCellsThanEvents,  ///< a state record has no cell for some events
        kStateNumber,           ///< the state number differs from the position
        kCellEmpty,             ///< a cell is empty or begins with "/"
        kCellNotNumber,         ///< a cell's next state is neither a marker nor digits
        kCellNumberTooLarge,    ///< a cell's next state does not fit 32 bits
    };
    TABLE_PROBLEM_(Kind kind)
        : kind(kind) {}

    Kind kind;
    int record = -1;   ///< the record's position in the file
    int field = -1;    ///< the field's position in the record
    int state = -1;    ///< the state's number (its position after the header)
    int event = -1;    ///< the event of a cell
    int count = 0;     ///< the record's field count
    int expected = 0;  ///< the field count the record should have had
    std::string text;  ///< the field's text as the file holds it
};

/// CTableListener hears of every problem the table reader meets, in file
/// order, and decides whether the reading goes on.
class CTableListener {
public:
    /// True to go on reading past the problem, false to stop there.
    virtual bool report(const TABLE_PROBLEM_& problem) = 0;

protected:
    ~CTableListener() = default;
};

#endif
