// Loading a table: the splitter library cuts the file into records of text
// fields, and the table reader makes them the events, states and cells.
#include "table/kerrow_library.h"
#include "table/pelk_report.h"
#include "table/st_table.h"
#include "table/table_reader.h"

// The library is released when the binding goes, on every path.
int CSTTable::load(const char* tablePath) {
    CKerrowLibrary library;
    if (!library.load() || !library.split(tablePath))
        return -1;
    const int result = readRecords(library);
    if (!library.freeAllRecords())
        return -1;
    return result == 0 ? 0 : -1;
}

// The records are read up to the first problem, which is reported in pelk's
// words.
int CSTTable::readRecords(CKerrowLibrary& library) {
    switch (library.bindRecords()) {
    case CKerrowLibrary::kNoNextRecord:
        return 1;
    case CKerrowLibrary::kNoFirstRecord:
        CPelkReport::writeKeywordMessage();
        return 1;
    case CKerrowLibrary::kBound:
        break;
    }
    CPelkReport report(library);
    CTableReader reader(library, report);
    return reader.readRecords(*this);
}
