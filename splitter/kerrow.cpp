// The exported functions: one process-wide store and scanner behind them.
// Nothing here throws: memory comes from malloc, and failures are results.
#include "Kerrow.h"

#include <cstdio>

#include "kerrow_internal.h"
#include "message.h"
#include "record_store.h"
#include "tsv_parser.h"
#include "tsv_scanner.h"

namespace {
CRecordStore g_store;
CTsvScanner g_scanner;
std::size_t g_readSize = CTsvScanner::kDefaultReadSize;

void reportScannerFailure(const char* path) {
    switch (g_scanner.failure()) {
    case CTsvScanner::kFieldTooLong:
        kerrow_set_message("%s:%d: field is too long. (max %d characters)", path, g_scanner.line(),
                           static_cast<int>(CTsvScanner::kValueSize - 1));
        break;
    case CTsvScanner::kNulCharacter:
        kerrow_set_message("%s:%d: NUL character in the file.", path, g_scanner.line());
        break;
    case CTsvScanner::kReadError:
    case CTsvScanner::kNoFailure:
        kerrow_set_message("%s:%d: can't read file.", path, g_scanner.line());
        break;
    }
}
}  // namespace

void kerrow_set_read_size(std::size_t size) {
    g_readSize = size ? size : CTsvScanner::kDefaultReadSize;
}

extern "C" {

KERROW_API int KERROW_CALL Kerrow(const char* path) {
    if (!path)
        path = "";
    std::FILE* in = std::fopen(path, "r");
    if (!in) {
        kerrow_set_message("can't open file %s", path);
        return -1;
    }
    // Each split starts afresh: earlier records released, scanner on line 1.
    g_store.clear();
    g_scanner.start(in, g_readSize);
    CTsvParser parser(g_scanner, g_store);
    CTsvParser::Result result = parser.parse();
    switch (result) {
    case CTsvParser::kOk:
        break;
    case CTsvParser::kSyntaxError:
        kerrow_set_message("%s:%d: syntax error. \"%s\" is invalid.", path, g_scanner.line(), g_scanner.text());
        break;
    case CTsvParser::kScannerError:
        reportScannerFailure(path);
        break;
    case CTsvParser::kMemoryError:
        break;  // the store wrote its message
    }
    // Records closed before a failure stay; the half-built one is dropped.
    g_store.discardBuilding();
    std::fclose(in);
    return result == CTsvParser::kOk ? 0 : -1;
}

KERROW_API int GetTsvRecordCount(void) {
    return g_store.count();
}

KERROW_API KERROW_RECORD* GetTsvRecordTop(void) {
    return g_store.top();
}

KERROW_API int KERROW_CALL GetFirstTsvRecord(int* fieldCount, char*** fields) {
    return g_store.handOutFirst(fieldCount, fields);
}

KERROW_API int KERROW_CALL GetNextTsvRecord(int* fieldCount, char*** fields) {
    return g_store.handOutNext(fieldCount, fields);
}

KERROW_API void FreeAllRecords(void) {
    g_store.clear();
}

KERROW_API const char* GetErrorMessage(void) {
    return kerrow_message();
}

KERROW_API const char* GetKerrowVersion(void) {
    return KERROW_VERSION;
}

}  // extern "C"
