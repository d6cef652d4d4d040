#ifndef PELK_TABLE_WORKBOOK_XLSX_NAMES_H
#define PELK_TABLE_WORKBOOK_XLSX_NAMES_H

#include <string>

/// CXlsxNames tells the names of an Office Open XML package apart: the
/// spreadsheet's and the relationships' namespaces, each in its
/// transitional and its strict form.
class CXlsxNames {
public:
    /// The package's own relationships namespace (the same in both forms).
    static const char kPackageRelations[];

    /// The local name of an element of the spreadsheet namespace; null for
    /// any other element.
    static const char* mainName(const char* name);
    /// True when name is the spreadsheet namespace's element local.
    static bool isMain(const char* name, const char* local);
    /// The r:id attribute of an element, in either form; null when absent.
    static const char* relationId(const char** attributes);
    /// True when a relationship type (either form) ends in "/" + kind.
    static bool typeIs(const std::string& type, const char* kind);
};

#endif
