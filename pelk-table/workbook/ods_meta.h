#ifndef PELK_TABLE_WORKBOOK_ODS_META_H
#define PELK_TABLE_WORKBOOK_ODS_META_H

#include <string>

#include "pelk-table/workbook/xml_reader.h"

/// COdsMeta reads the meta part of an OpenDocument file (meta.xml): the
/// name of the program that wrote it.
class COdsMeta : public CXmlHandler {
public:
    /// The writer, as meta:generator names it ("LibreOffice/7.4.7.2$Linux...");
    /// empty when the part names none.
    const std::string& generator() const { return m_generator; }

    void start(const char* name, const char** attributes) override;
    void end(const char* name) override;
    void text(const char* text, int length) override;

private:
    std::string m_generator;
    bool m_inGenerator = false;
};

#endif
