#include "tsv_parser.h"

#include "record_sink.h"
#include "tsv_scanner.h"

// file -> records;  records -> record | records record
CTsvParser::Result CTsvParser::parse() {
    m_fieldLine = m_fieldColumn = 1;
    int token = m_scanner.next();
    if (token == CTsvScanner::END)  // no record at all
        return m_sink.skipBrokenRecord(m_scanner.line(), m_scanner.column(), "") ? kOk : kSyntaxError;
    do {
        Result result = parseRecord(token);
        if (result != kOk)
            return result;
        token = m_scanner.next();
    } while (token != CTsvScanner::END);
    return kOk;
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
            return result == kOk ? closeRecord() : result;
        case CTsvScanner::FIELD: {
            // The FIELD's text stays in the scanner while TAB or EOL is read.
            int follow = m_scanner.next();
            if (follow == CTsvScanner::TAB) {  // field -> FIELD TAB
                result = pushText();
                fieldStartsHere();
                break;
            }
            if (follow == CTsvScanner::EOL) {  // last -> FIELD
                result = pushText();
                fieldStartsHere();
                return result == kOk ? closeRecord() : result;
            }
            return unexpected(follow);  // two runs of text, or the end
        }
        default:
            return unexpected(token);
        }
        if (result != kOk)
            return result;
        token = m_scanner.next();
    }
}

// The next field begins right after the separator just read.
void CTsvParser::fieldStartsHere() {
    m_fieldLine = m_scanner.line();
    m_fieldColumn = m_scanner.column();
}

CTsvParser::Result CTsvParser::pushText() {
    return m_sink.addField(m_scanner.text(), m_scanner.length(), m_fieldLine, m_fieldColumn) == 0 ? kOk : kMemoryError;
}

CTsvParser::Result CTsvParser::pushEmpty() {
    return m_sink.addField("", 0, m_fieldLine, m_fieldColumn) == 0 ? kOk : kMemoryError;
}

CTsvParser::Result CTsvParser::closeRecord() {
    return m_sink.closeRecord() == 0 ? kOk : kMemoryError;
}

// A FIELD is reported where it begins; the end of input where it is.
CTsvParser::Result CTsvParser::unexpected(int token) {
    if (token == CTsvScanner::ERROR)
        return kScannerError;
    const bool atField = token == CTsvScanner::FIELD;
    const int line = atField ? m_scanner.tokenLine() : m_scanner.line();
    const int column = atField ? m_scanner.tokenColumn() : m_scanner.column();
    if (!m_sink.skipBrokenRecord(line, column, m_scanner.text()))
        return kSyntaxError;
    return token == CTsvScanner::END ? closeRecord() : skipRestOfRecord();
}

// Drops the tokens up to the end of the broken record's line and closes it.
CTsvParser::Result CTsvParser::skipRestOfRecord() {
    for (;;) {
        const int token = m_scanner.next();
        if (token == CTsvScanner::ERROR)
            return kScannerError;
        if (token == CTsvScanner::EOL || token == CTsvScanner::END) {
            fieldStartsHere();
            return closeRecord();
        }
    }
}
