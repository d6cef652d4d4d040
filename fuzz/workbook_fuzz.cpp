// The workbook reader on arbitrary bytes: a damaged or hostile .xlsx or
// .ods must give a sheet's text or an error, never a crash, a leak or
// undefined behaviour, within the reader's limits.
//
// An input that begins as a ZIP archive is read as the workbook itself.
// Any other input is XML: it is packed (with libzip) as the sheet of a
// small .xlsx and as the content of a small .ods, so that the fuzzer works
// on the XML the readers parse rather than on compressed bytes.
//
// What must hold for every input:
// - a failed read says why;
// - a sheet read gives text whose every line has the same number of tabs
//   (the used width), and an error at a cell only within the table.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <zip.h>

#include "pelk-table/workbook/sheet_text.h"
#include "pelk-table/workbook/workbook_input.h"

namespace {

const char kHead[] = "<?xml version=\"1.0\"?>";
const char kRelations[] = "http://schemas.openxmlformats.org/package/2006/relationships";
const char kTypes[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

// A ZIP archive in memory of the named parts, stored uncompressed.
std::string archive(const std::vector<std::pair<std::string, std::string>>& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* book = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    for (const auto& part : parts) {
        zip_source_t* content = zip_source_buffer(book, part.second.data(), part.second.size(), 0);
        const zip_int64_t index = zip_file_add(book, part.first.c_str(), content, ZIP_FL_OVERWRITE);
        zip_set_file_compression(book, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    zip_close(book);
    std::string bytes;
    zip_stat_t stat;
    if (zip_source_stat(buffer, &stat) == 0 && zip_source_open(buffer) == 0) {
        bytes.resize(static_cast<std::size_t>(stat.size));
        zip_source_read(buffer, &bytes[0], stat.size);
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

std::string xlsxAround(const std::string& sheet) {
    const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    return archive({{"[Content_Types].xml", std::string(kHead) + "<Types/>"},
                    {"_rels/.rels", std::string(kHead) + "<Relationships xmlns=\"" + kRelations +
                                        "\"><Relationship Id=\"r\" Type=\"" + kTypes +
                                        "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
                    {"xl/workbook.xml", std::string(kHead) + "<workbook xmlns=\"" + main + "\" xmlns:r=\"" +
                                            std::string(kTypes).substr(0, std::string(kTypes).size() - 1) +
                                            "\"><sheets><sheet name=\"S\" r:id=\"s\"/></sheets></workbook>"},
                    {"xl/_rels/workbook.xml.rels",
                     std::string(kHead) + "<Relationships xmlns=\"" + kRelations + "\"><Relationship Id=\"s\" Type=\"" +
                         kTypes + "worksheet\" Target=\"sheet.xml\"/><Relationship Id=\"t\" Type=\"" + kTypes +
                         "sharedStrings\" Target=\"sheet.xml\"/><Relationship Id=\"y\" Type=\"" + kTypes +
                         "styles\" Target=\"sheet.xml\"/></Relationships>"},
                    {"xl/sheet.xml", sheet}});
}

std::string odsAround(const std::string& content) {
    return archive({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}});
}

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

void readAll(const std::string& bytes) {
    // The first sheet by number, and the sheet holding START.
    for (const char* sheet : {"1", ""}) {
        CWorkbookInput input;
        std::string error;
        if (!input.convert(bytes, sheet, true, error)) {
            check(!error.empty(), "a failed read says why");
            continue;
        }
        const std::string& text = input.text();
        long tabs = -1;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            check(end != std::string::npos, "every line ends with a line feed");
            long count = 0;
            for (std::size_t i = start; i < end; ++i)
                count += text[i] == '\t';
            check(tabs < 0 || count == tabs, "every row has the used width");
            tabs = count;
            start = end + 1;
        }
        for (const SHEET_PROBLEM_& problem : input.problems())
            check(!problem.error || problem.inTable, "an error lies within the table");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.compare(0, 2, "PK") == 0) {
        readAll(bytes);
    } else {
        readAll(xlsxAround(bytes));
        readAll(odsAround(bytes));
    }
    return 0;
}
