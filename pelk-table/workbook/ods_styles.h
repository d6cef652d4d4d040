#ifndef PELK_TABLE_WORKBOOK_ODS_STYLES_H
#define PELK_TABLE_WORKBOOK_ODS_STYLES_H

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "pelk-table/workbook/number_format.h"
#include "pelk-table/workbook/xml_reader.h"

/// COdsStyles reads the cell styles and data styles of an OpenDocument
/// spreadsheet (styles.xml, and the automatic styles of content.xml; one
/// object reads both) and gives the number format a cell style shows its
/// value through.
class COdsStyles : public CXmlHandler {
public:
    /// The number format of cell style name (through its parents); General
    /// when neither it nor a parent names a data style.
    CNumberFormat format(const std::string& name) const;

    void start(const char* name, const char** attributes) override;
    void end(const char* name) override;
    void text(const char* text, int length) override;

private:
    /// A data style: its kind ("number", "text", "date"...), its parts, and
    /// its maps (a condition on the value, and the data style it applies).
    struct DATA_STYLE_ {
        std::string kind;
        FORMAT_SECTION_ section;
        std::vector<std::pair<std::string, std::string>> maps;
    };
    void startPart(const char* local, const char** attributes);
    FORMAT_SECTION_ sectionOf(const std::string& name, const std::string& condition) const;

    std::map<std::string, std::pair<std::string, std::string>> m_cellStyles;  // name -> parent, data style
    std::map<std::string, DATA_STYLE_> m_dataStyles;
    std::string m_dataStyle;  // the data style being read
    DATA_STYLE_ m_current;
    bool m_inText = false;
};

#endif
