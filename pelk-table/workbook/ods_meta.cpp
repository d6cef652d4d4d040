#include "pelk-table/workbook/ods_meta.h"

namespace {

const char kMeta[] = "urn:oasis:names:tc:opendocument:xmlns:meta:1.0";

}  // namespace

void COdsMeta::start(const char* name, const char**) {
    m_inGenerator = CXmlReader::is(name, kMeta, "generator");
}

void COdsMeta::end(const char*) {
    m_inGenerator = false;
}

void COdsMeta::text(const char* text, int length) {
    if (m_inGenerator && m_generator.size() < 1024)
        m_generator.append(text, static_cast<std::size_t>(length));
}
