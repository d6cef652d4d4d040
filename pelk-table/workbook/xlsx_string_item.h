#ifndef PELK_TABLE_WORKBOOK_XLSX_STRING_ITEM_H
#define PELK_TABLE_WORKBOOK_XLSX_STRING_ITEM_H

#include <string>

/// CXlsxStringItem collects the text of one string item (<si> of the
/// shared strings, or <is> of an inline string): the <t> of the item and of
/// its rich-text runs, never of its phonetic runs (<rPh>). It is fed the
/// local names of the elements inside the item.
class CXlsxStringItem {
public:
    void start(const char* local);
    void end(const char* local);
    void text(const char* text, int length);
    /// The item's text, its escapes decoded; the collector starts anew.
    std::string take();

    /// Decodes the _xHHHH_ escapes of a stored text that the spreadsheet
    /// decodes: characters XML cannot hold, and _x005F_ (an underscore).
    static std::string unescape(const std::string& text);

private:
    std::string m_text;
    int m_phonetic = 0;
    bool m_inText = false;
};

#endif
