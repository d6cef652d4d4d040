// CWorkbook of a build without libexpat and libzip: it recognises a
// workbook and says that this build cannot read it.
#include "pelk-table/workbook/workbook.h"

#include "pelk-table/workbook/book_reader.h"
#include "pelk-table/workbook/zip_archive.h"

namespace {

const std::vector<std::string> kNoSheets;

}  // namespace

// The archive is never made here; its destructor is all the unique_ptr
// needs.
CZipArchive::~CZipArchive() = default;

CWorkbook::CWorkbook() = default;
CWorkbook::~CWorkbook() = default;

bool CWorkbook::looksLikeWorkbook(const std::string& bytes) {
    return bytes.compare(0, 4, "PK\x03\x04") == 0 || bytes.compare(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") == 0;
}

bool CWorkbook::available() {
    return false;
}

bool CWorkbook::open(std::string, std::string& error) {
    error =
        "this build of pelk-table reads no workbooks (it was built without libexpat and libzip); "
        "export the sheet as tab-separated text, or use a build that reads them";
    return false;
}

const std::vector<std::string>& CWorkbook::sheetNames() const {
    return kNoSheets;
}

bool CWorkbook::readSheet(int, CSheetGrid&, std::string& error) {
    error = "this build of pelk-table reads no workbooks";
    return false;
}
