#ifndef PELK_TABLE_WORKBOOK_XLSX_RELATIONS_H
#define PELK_TABLE_WORKBOOK_XLSX_RELATIONS_H

#include <map>
#include <string>
#include <vector>

#include "pelk-table/workbook/xml_reader.h"

class CZipArchive;

/// One relationship of a part: its type, its target and whether the
/// target lies outside the package.
struct RELATION_ {
    std::string type;
    std::string target;
    bool external;
};

/// CXlsxRelations reads the relationships of one part of a package
/// (part/_rels/name.rels), and resolves their targets within the package.
class CXlsxRelations : public CXmlHandler {
public:
    /// Reads the relationships part at path. False, with error set, when it
    /// is missing or broken.
    bool read(CZipArchive& archive, const std::string& path, std::string& error);

    /// The relationships by id, and their ids in the order of the part.
    const std::map<std::string, RELATION_>& relations() const { return m_relations; }
    const std::vector<std::string>& order() const { return m_order; }

    /// The path of the relationships part of part ("xl/workbook.xml" ->
    /// "xl/_rels/workbook.xml.rels").
    static std::string pathOf(const std::string& part);
    /// The path of target, a relationship's target, seen from the part at
    /// source ("" for the package root). False when it leaves the package.
    static bool resolve(const std::string& source, const std::string& target, std::string& path);

    void start(const char* name, const char** attributes) override;
    void end(const char*) override {}
    void text(const char*, int) override {}

private:
    std::map<std::string, RELATION_> m_relations;
    std::vector<std::string> m_order;
};

#endif
