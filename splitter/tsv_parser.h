// CTsvParser: the grammar of the table file, driving the record store.
//
//   file    -> records
//   records -> record | records record
//   record  -> fields last EOL          { push_record }
//   fields  -> (empty) | fields field
//   field   -> FIELD TAB                { push_field($FIELD) }
//            | TAB                      { push_field("") }
//   last    -> (empty)                  { push_field("") }
//            | FIELD                    { push_field($FIELD) }
//
// Written as loops, so neither the call depth nor the memory of the parser
// grows with the file. Every field goes to the sink with the line and column
// where it begins: after the line start or the tab before it.
#ifndef KERROW_TSV_PARSER_H
#define KERROW_TSV_PARSER_H

class CTsvScanner;
class CRecordSink;

class CTsvParser {
public:
    /// Outcome of parse(); every failure ends the parse at once.
    enum Result { kOk, kSyntaxError, kScannerError, kMemoryError };

    CTsvParser(CTsvScanner& scanner, CRecordSink& sink)
        : m_scanner(scanner),
          m_sink(sink) {}

    /// Parses the whole input. On kSyntaxError the scanner's line and text
    /// name the offending token (unless the sink chose to skip it); on
    /// kMemoryError the sink wrote its message.
    Result parse();

private:
    Result parseRecord(int token);
    Result pushText();
    Result pushEmpty();
    Result closeRecord();
    Result unexpected(int token);
    Result skipRestOfRecord();
    void fieldStartsHere();

    CTsvScanner& m_scanner;
    CRecordSink& m_sink;
    int m_fieldLine = 1;
    int m_fieldColumn = 1;
};

#endif
