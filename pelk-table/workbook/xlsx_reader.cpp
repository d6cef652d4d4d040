#include "pelk-table/workbook/xlsx_reader.h"

#include "pelk-table/workbook/volatile_formulas.h"
#include "pelk-table/workbook/xlsx_comments.h"
#include "pelk-table/workbook/xlsx_names.h"
#include "pelk-table/workbook/xlsx_relations.h"
#include "pelk-table/workbook/xlsx_shared_strings.h"
#include "pelk-table/workbook/xlsx_sheet.h"
#include "pelk-table/workbook/xlsx_workbook_part.h"
#include "pelk-table/workbook/zip_archive.h"

bool CXlsxReader::readPart(const std::string& path, CXmlHandler& handler, std::string& error) {
    std::string xml;
    return m_archive.read(path, xml, error) && CXmlReader::read(xml, path, handler, error);
}

bool CXlsxReader::open(std::string& error) {
    CXlsxRelations package;
    if (!package.read(m_archive, "_rels/.rels", error))
        return false;
    std::string workbook;
    for (const std::string& id : package.order()) {
        const RELATION_& relation = package.relations().at(id);
        if (CXlsxNames::typeIs(relation.type, "officeDocument") && !relation.external) {
            if (!CXlsxRelations::resolve("", relation.target, workbook)) {
                error = "the package's relationship to the workbook points outside the package";
                return false;
            }
            break;
        }
    }
    if (workbook.empty()) {
        error = "the package names no workbook part (no officeDocument relationship in _rels/.rels)";
        return false;
    }
    CXlsxWorkbookPart sheets;
    CXlsxRelations relations;
    if (!readPart(workbook, sheets, error) || !relations.read(m_archive, CXlsxRelations::pathOf(workbook), error))
        return false;
    for (const auto& sheet : sheets.sheets()) {
        const auto found = relations.relations().find(sheet.second);
        if (found == relations.relations().end()) {
            error = "the sheet \"" + sheet.first + "\" refers to relationship " + sheet.second +
                    ", which the workbook does not have";
            return false;
        }
        std::string path;
        if (found->second.external || !CXlsxRelations::resolve(workbook, found->second.target, path)) {
            error = "the sheet \"" + sheet.first + "\" points outside the package";
            return false;
        }
        m_names.push_back(sheet.first);
        m_sheetPaths.push_back(CXlsxNames::typeIs(found->second.type, "worksheet") ? path : std::string());
    }
    m_definedNames = sheets.names();
    if (m_names.empty()) {
        error = "the workbook lists no sheet";
        return false;
    }
    for (const std::string& id : relations.order()) {
        const RELATION_& relation = relations.relations().at(id);
        std::string path;
        if (relation.external || !CXlsxRelations::resolve(workbook, relation.target, path))
            continue;
        CXlsxSharedStrings strings(m_strings);
        if (CXlsxNames::typeIs(relation.type, "sharedStrings") && !readPart(path, strings, error))
            return false;
        if (CXlsxNames::typeIs(relation.type, "styles")) {
            if (!readPart(path, m_styles, error))
                return false;
            m_styles.finish();
        }
    }
    return true;
}

bool CXlsxReader::readSheet(int index, CSheetGrid& grid, std::string& error) {
    if (index < 0 || index >= static_cast<int>(m_names.size()))
        return false;
    const std::string& path = m_sheetPaths[static_cast<std::size_t>(index)];
    if (path.empty()) {
        error =
            "the sheet \"" + m_names[static_cast<std::size_t>(index)] + "\" is a chart or a dialog, not a worksheet";
        return false;
    }
    CVolatileFormulas formulas;
    formulas.setBookVolatile(bookVolatile());
    for (const auto& name : m_definedNames)
        formulas.addName(name.first, name.second);
    CXlsxSheet handler(grid, m_strings, m_styles, formulas);
    if (!readPart(path, handler, error))
        return false;
    handler.finish();
    return readNotes(path, grid, error);
}

// True when any sheet or defined name calls a volatile function (a look at
// the parts' text, which may find one in a text cell too: then references
// to other sheets are refused needlessly, never taken wrongly).
bool CXlsxReader::bookVolatile() {
    if (m_bookVolatile >= 0)
        return m_bookVolatile == 1;
    m_bookVolatile = 0;
    for (const auto& name : m_definedNames)
        m_bookVolatile = m_bookVolatile || CVolatileFormulas::callsVolatile(name.second);
    for (const std::string& path : m_sheetPaths) {
        std::string xml;
        std::string error;
        if (!path.empty() && (!m_archive.read(path, xml, error) || CVolatileFormulas::callsVolatile(xml)))
            m_bookVolatile = 1;
    }
    return m_bookVolatile == 1;
}

// The sheet's notes stretch its used area (a sheet without relationships
// has none).
bool CXlsxReader::readNotes(const std::string& sheetPath, CSheetGrid& grid, std::string& error) {
    const std::string relationsPath = CXlsxRelations::pathOf(sheetPath);
    if (!m_archive.has(relationsPath))
        return true;
    CXlsxRelations relations;
    if (!relations.read(m_archive, relationsPath, error))
        return false;
    for (const std::string& id : relations.order()) {
        const RELATION_& relation = relations.relations().at(id);
        std::string path;
        if (!CXlsxNames::typeIs(relation.type, "comments") || relation.external ||
            !CXlsxRelations::resolve(sheetPath, relation.target, path))
            continue;
        CXlsxComments notes(grid);
        if (!readPart(path, notes, error))
            return false;
    }
    return true;
}
