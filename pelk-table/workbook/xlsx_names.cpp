#include "pelk-table/workbook/xlsx_names.h"

#include <cstring>

#include "pelk-table/workbook/xml_reader.h"

namespace {

// The transitional and the strict form of each namespace.
const char* const kMain[] = {"http://schemas.openxmlformats.org/spreadsheetml/2006/main",
                             "http://purl.oclc.org/ooxml/spreadsheetml/main"};
const char* const kRelations[] = {"http://schemas.openxmlformats.org/officeDocument/2006/relationships",
                                  "http://purl.oclc.org/ooxml/officeDocument/relationships"};

}  // namespace

const char CXlsxNames::kPackageRelations[] = "http://schemas.openxmlformats.org/package/2006/relationships";

const char* CXlsxNames::mainName(const char* name) {
    for (const char* uri : kMain) {
        const std::size_t n = std::strlen(uri);
        if (std::strncmp(name, uri, n) == 0 && name[n] == ' ')
            return name + n + 1;
    }
    return nullptr;
}

bool CXlsxNames::isMain(const char* name, const char* local) {
    const char* found = mainName(name);
    return found && std::strcmp(found, local) == 0;
}

const char* CXlsxNames::relationId(const char** attributes) {
    for (const char* uri : kRelations) {
        const std::string name = std::string(uri) + " id";
        if (const char* value = CXmlReader::attribute(attributes, name.c_str()))
            return value;
    }
    return nullptr;
}

bool CXlsxNames::typeIs(const std::string& type, const char* kind) {
    const std::string tail = std::string("/") + kind;
    return type.size() > tail.size() && type.compare(type.size() - tail.size(), tail.size(), tail) == 0;
}
