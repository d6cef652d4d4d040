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
    enum Result { OK, SYNTAX_ERROR, SCANNER_ERROR, MEMORY_ERROR };

    CTsvParser(CTsvScanner& scanner, CRecordSink& sink)
        : scanner_(scanner),
          sink_(sink) {}

    /// Parses the whole input. On SYNTAX_ERROR the scanner's line and text
    /// name the offending token (unless the sink chose to skip it); on
    /// MEMORY_ERROR the sink wrote its message.
    Result parse();

private:
    Result parseRecord(int token);
    Result pushText();
    Result pushEmpty();
    Result closeRecord();
    Result unexpected(int token);
    Result skipRestOfRecord();
    void fieldStartsHere();

    CTsvScanner& scanner_;
    CRecordSink& sink_;
    int fieldLine_ = 1;
    int fieldColumn_ = 1;
};

#endif
