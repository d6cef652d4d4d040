#include "pelk-table/workbook/workbook.h"

#include <utility>

#include "pelk-table/workbook/ods_reader.h"
#include "pelk-table/workbook/xlsx_reader.h"
#include "pelk-table/workbook/zip_archive.h"

namespace {

const char kZip[] = "PK\x03\x04";
const char kCompound[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
const char kOdsType[] = "application/vnd.oasis.opendocument.spreadsheet";

const std::vector<std::string> kNoSheets;

}  // namespace

CWorkbook::CWorkbook() = default;
CWorkbook::~CWorkbook() = default;

bool CWorkbook::looksLikeWorkbook(const std::string& bytes) {
    return bytes.compare(0, 4, kZip) == 0 || bytes.compare(0, 8, kCompound) == 0;
}

bool CWorkbook::available() {
    return true;
}

bool CWorkbook::open(std::string bytes, std::string& error) {
    m_bytes = std::move(bytes);
    if (m_bytes.compare(0, 8, kCompound) == 0) {
        error =
            "the file is a compound document (D0 CF 11 E0): a legacy Excel workbook (.xls) or a workbook "
            "encrypted with a password; save it as .xlsx or .ods, without a password";
        return false;
    }
    if (m_bytes.compare(0, 4, kZip) != 0) {
        error = "the file is not a workbook (neither an .xlsx nor an .ods file)";
        return false;
    }
    m_archive.reset(new CZipArchive());
    if (!m_archive->open(m_bytes, error))
        return false;
    if (m_archive->has("mimetype")) {
        std::string type;
        if (!m_archive->read("mimetype", type, error))
            return false;
        while (!type.empty() && (type.back() == '\n' || type.back() == '\r' || type.back() == ' '))
            type.pop_back();
        if (type != kOdsType) {
            error = "the file is an OpenDocument file of type " + type.substr(0, 80) + ", not a spreadsheet";
            return false;
        }
        m_kind = "ods";
        m_reader.reset(new COdsReader(*m_archive));
    } else if (m_archive->has("[Content_Types].xml")) {
        m_kind = "xlsx";
        m_reader.reset(new CXlsxReader(*m_archive));
    } else {
        error = "the file is a ZIP archive, but neither an .xlsx nor an .ods workbook";
        return false;
    }
    if (!m_reader->open(error)) {
        m_reader.reset();
        return false;
    }
    return true;
}

const std::vector<std::string>& CWorkbook::sheetNames() const {
    return m_reader ? m_reader->sheetNames() : kNoSheets;
}

bool CWorkbook::readSheet(int index, CSheetGrid& grid, std::string& error) {
    if (!m_reader) {
        error = "the workbook is not open";
        return false;
    }
    return m_reader->readSheet(index, grid, error);
}
