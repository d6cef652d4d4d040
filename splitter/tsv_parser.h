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
// grows with the file.
#ifndef KERROW_TSV_PARSER_H
#define KERROW_TSV_PARSER_H

class CTsvScanner;
class CRecordStore;

class CTsvParser {
public:
    /// Outcome of parse(); every failure ends the parse at once.
    enum Result { OK, SYNTAX_ERROR, SCANNER_ERROR, MEMORY_ERROR };

    CTsvParser(CTsvScanner& scanner, CRecordStore& store) : scanner_(scanner), store_(store) {}

    /// Parses the whole input. On SYNTAX_ERROR the scanner's line and text
    /// name the offending token; on MEMORY_ERROR the store wrote its message.
    Result parse();

private:
    Result parseRecord(int token);
    Result pushText();
    Result pushEmpty();
    Result closeRecord();
    static Result unexpected(int token);

    CTsvScanner& scanner_;
    CRecordStore& store_;
};

#endif
