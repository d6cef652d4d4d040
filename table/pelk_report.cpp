#include "table/pelk_report.h"

#include <iostream>

#include "table/kerrow_library.h"

void CPelkReport::writeKeywordMessage() {
    std::cerr << "not found KeyWord\""
              << "START"
              << "\"" << std::endl;
}

bool CPelkReport::report(const TABLE_PROBLEM_& problem) {
    std::ostream& err = std::cerr;
    const int i = problem.state;
    switch (problem.kind) {
    case TABLE_PROBLEM_::kFirstRecordMissing:
        err << "GetFirstTsvRecord() error" << std::endl;
        writeKeywordMessage();
        break;
    case TABLE_PROBLEM_::kNoHeader:
        writeKeywordMessage();
        break;
    case TABLE_PROBLEM_::kRecordFailure:
        err << m_library.failureText() << std::endl;
        break;
    case TABLE_PROBLEM_::kFieldCountDiffers:
        err << "Record[" << i << "]: field count is " << problem.count << " , and different from above field(s) count "
            << problem.expected << std::endl;
        break;
    case TABLE_PROBLEM_::kTooFewForState:
        err << "Record[" << i << "]: field count is " << problem.count << " , and a state record needs at least "
            << problem.expected << " field(s)" << std::endl;
        break;
    case TABLE_PROBLEM_::kFewerCellsThanEvents:
        err << "Record[" << i << "]: field count is " << problem.count << " , and fewer than header field(s) count "
            << problem.expected << std::endl;
        break;
    case TABLE_PROBLEM_::kStateNumber:
        err << "invalid state number. record " << i << std::endl;
        break;
    case TABLE_PROBLEM_::kCellEmpty:
        err << "format error. (" << problem.text << ")" << std::endl;
        err << "Record[" << i << "]: field number is " << problem.event << std::endl;
        break;
    case TABLE_PROBLEM_::kCellNotNumber:
    case TABLE_PROBLEM_::kCellNumberTooLarge:
        err << "format error (" << problem.text << "). first string is not number." << std::endl;
        err << "Record[" << i << "]: field number is " << problem.event << std::endl;
        break;
    }
    return false;
}
