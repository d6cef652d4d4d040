#include "pelk-table/workbook/xlsx_relations.h"

#include <cstring>

#include "pelk-table/workbook/xlsx_names.h"
#include "pelk-table/workbook/zip_archive.h"

bool CXlsxRelations::read(CZipArchive& archive, const std::string& path, std::string& error) {
    std::string xml;
    return archive.read(path, xml, error) && CXmlReader::read(xml, path, *this, error);
}

void CXlsxRelations::start(const char* name, const char** attributes) {
    if (!CXmlReader::is(name, CXlsxNames::kPackageRelations, "Relationship"))
        return;
    const char* id = CXmlReader::attribute(attributes, "Id");
    const char* type = CXmlReader::attribute(attributes, "Type");
    const char* target = CXmlReader::attribute(attributes, "Target");
    const char* mode = CXmlReader::attribute(attributes, "TargetMode");
    if (!id || !type || !target)
        return;
    m_relations[id] = RELATION_{type, target, mode && std::strcmp(mode, "External") == 0};
    m_order.push_back(id);
}

std::string CXlsxRelations::pathOf(const std::string& part) {
    const std::string::size_type slash = part.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
    const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
    return folder + "_rels/" + file + ".rels";
}

bool CXlsxRelations::resolve(const std::string& source, const std::string& target, std::string& path) {
    std::string joined;
    if (!target.empty() && target[0] == '/') {
        joined = target.substr(1);
    } else {
        const std::string::size_type slash = source.rfind('/');
        joined = (slash == std::string::npos ? std::string() : source.substr(0, slash + 1)) + target;
    }
    std::vector<std::string> parts;
    std::size_t at = 0;
    while (at <= joined.size()) {
        std::size_t next = joined.find('/', at);
        if (next == std::string::npos)
            next = joined.size();
        const std::string part = joined.substr(at, next - at);
        if (part == "..") {
            if (parts.empty())
                return false;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = next + 1;
    }
    path.clear();
    for (const std::string& part : parts)
        path += (path.empty() ? "" : "/") + part;
    return !path.empty();
}
