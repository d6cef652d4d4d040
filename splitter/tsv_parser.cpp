#include "tsv_parser.h"

#include "record_sink.h"
#include "tsv_scanner.h"

// file -> records;  records -> record | records record
CTsvParser::Result CTsvParser::parse() {
    fieldLine_ = fieldColumn_ = 1;
    int token = scanner_.next();
    if (token == CTsvScanner::END)  // no record at all
        return sink_.skipBrokenRecord(scanner_.line(), scanner_.column(), "") ? OK : SYNTAX_ERROR;
    do {
        Result result = parseRecord(token);
        if (result != OK)
            return result;
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
            fieldStartsHere();
            break;
        case CTsvScanner::EOL:  // last -> (empty)
            result = pushEmpty();
            fieldStartsHere();
            return result == OK ? closeRecord() : result;
        case CTsvScanner::FIELD: {
            // The FIELD's text stays in the scanner while TAB or EOL is read.
            int follow = scanner_.next();
            if (follow == CTsvScanner::TAB) {  // field -> FIELD TAB
                result = pushText();
                fieldStartsHere();
                break;
            }
            if (follow == CTsvScanner::EOL) {  // last -> FIELD
                result = pushText();
                fieldStartsHere();
                return result == OK ? closeRecord() : result;
            }
            return unexpected(follow);  // two runs of text, or the end
        }
        default:
            return unexpected(token);
        }
        if (result != OK)
            return result;
        token = scanner_.next();
    }
}

// The next field begins right after the separator just read.
void CTsvParser::fieldStartsHere() {
    fieldLine_ = scanner_.line();
    fieldColumn_ = scanner_.column();
}

CTsvParser::Result CTsvParser::pushText() {
    return sink_.addField(scanner_.text(), scanner_.length(), fieldLine_, fieldColumn_) == 0 ? OK : MEMORY_ERROR;
}

CTsvParser::Result CTsvParser::pushEmpty() {
    return sink_.addField("", 0, fieldLine_, fieldColumn_) == 0 ? OK : MEMORY_ERROR;
}

CTsvParser::Result CTsvParser::closeRecord() {
    return sink_.closeRecord() == 0 ? OK : MEMORY_ERROR;
}

// A FIELD is reported where it begins; the end of input where it is.
CTsvParser::Result CTsvParser::unexpected(int token) {
    if (token == CTsvScanner::ERROR)
        return SCANNER_ERROR;
    const bool atField = token == CTsvScanner::FIELD;
    const int line = atField ? scanner_.tokenLine() : scanner_.line();
    const int column = atField ? scanner_.tokenColumn() : scanner_.column();
    if (!sink_.skipBrokenRecord(line, column, scanner_.text()))
        return SYNTAX_ERROR;
    return token == CTsvScanner::END ? closeRecord() : skipRestOfRecord();
}

// Drops the tokens up to the end of the broken record's line and closes it.
CTsvParser::Result CTsvParser::skipRestOfRecord() {
    for (;;) {
        const int token = scanner_.next();
        if (token == CTsvScanner::ERROR)
            return SCANNER_ERROR;
        if (token == CTsvScanner::EOL || token == CTsvScanner::END) {
            fieldStartsHere();
            return closeRecord();
        }
    }
}
