#include "tsv_parser.h"

#include "record_store.h"
#include "tsv_scanner.h"

// file -> records;  records -> record | records record
CTsvParser::Result CTsvParser::parse() {
    int token = scanner_.next();
    if (token == CTsvScanner::END) return SYNTAX_ERROR;  // no record at all
    do {
        Result result = parseRecord(token);
        if (result != OK) return result;
        token = scanner_.next();
    } while (token != CTsvScanner::END);
    return OK;
}

// record -> fields last EOL;  token is the record's first token.
CTsvParser::Result CTsvParser::parseRecord(int token) {
    for (;;) {
        Result result;
        switch (token) {
        case CTsvScanner::TAB:  // field -> TAB
            result = pushEmpty();
            break;
        case CTsvScanner::EOL:  // last -> (empty)
            result = pushEmpty();
            return result == OK ? closeRecord() : result;
        case CTsvScanner::FIELD: {
            // The FIELD's text stays in the scanner while TAB or EOL is read.
            int follow = scanner_.next();
            if (follow == CTsvScanner::TAB) {  // field -> FIELD TAB
                result = pushText();
                break;
            }
            if (follow == CTsvScanner::EOL) {  // last -> FIELD
                result = pushText();
                return result == OK ? closeRecord() : result;
            }
            return unexpected(follow);  // two runs of text, or the end
        }
        default:
            return unexpected(token);
        }
        if (result != OK) return result;
        token = scanner_.next();
    }
}

CTsvParser::Result CTsvParser::pushText() {
    return store_.push_field(scanner_.text(), scanner_.length()) == 0 ? OK : MEMORY_ERROR;
}

CTsvParser::Result CTsvParser::pushEmpty() { return store_.push_field("", 0) == 0 ? OK : MEMORY_ERROR; }

CTsvParser::Result CTsvParser::closeRecord() { return store_.push_record() == 0 ? OK : MEMORY_ERROR; }

CTsvParser::Result CTsvParser::unexpected(int token) {
    return token == CTsvScanner::ERROR ? SCANNER_ERROR : SYNTAX_ERROR;
}
