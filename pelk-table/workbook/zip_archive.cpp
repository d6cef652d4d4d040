#include "pelk-table/workbook/zip_archive.h"

#include <zip.h>

CZipArchive::~CZipArchive() {
    if (m_archive)
        zip_discard(m_archive);
}

bool CZipArchive::open(const std::string& bytes, std::string& error) {
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zipError);
    if (!source) {
        error = std::string("the ZIP archive cannot be read: ") + zip_error_strerror(&zipError);
        zip_error_fini(&zipError);
        return false;
    }
    m_archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zipError);
    if (!m_archive) {
        error = std::string("the file is a damaged ZIP archive: ") + zip_error_strerror(&zipError);
        zip_source_free(source);
        zip_error_fini(&zipError);
        return false;
    }
    zip_error_fini(&zipError);
    return true;
}

bool CZipArchive::has(const std::string& name) const {
    return m_archive && zip_name_locate(m_archive, name.c_str(), 0) >= 0;
}

bool CZipArchive::read(const std::string& name, std::string& content, std::string& error) {
    content.clear();
    const zip_int64_t index = m_archive ? zip_name_locate(m_archive, name.c_str(), 0) : -1;
    if (index < 0) {
        error = "the part " + name + " is missing";
        return false;
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
        !(stat.valid & ZIP_STAT_COMP_SIZE)) {
        error = "the part " + name + " cannot be read: " + zip_strerror(m_archive);
        return false;
    }
    if (stat.size > kMaxPartSize || m_total + stat.size > kMaxTotalSize) {
        error = "the part " + name + " expands to " + std::to_string(stat.size) +
                " bytes, more than pelk-table reads (" + std::to_string(kMaxPartSize) + " a part, " +
                std::to_string(kMaxTotalSize) + " in all)";
        return false;
    }
    if (stat.size > kRatioFloor && stat.size / (stat.comp_size ? stat.comp_size : 1) > kMaxRatio) {
        error = "the part " + name + " expands " + std::to_string(stat.size / (stat.comp_size ? stat.comp_size : 1)) +
                " times, more than the " + std::to_string(kMaxRatio) + " pelk-table allows";
        return false;
    }
    zip_file_t* file = zip_fopen_index(m_archive, static_cast<zip_uint64_t>(index), 0);
    if (!file) {
        error = "the part " + name + " cannot be read: " + zip_strerror(m_archive);
        return false;
    }
    // The stated size is the archive's word: the part is read in pieces up
    // to it (never allocated ahead of the data), and libzip checks the CRC
    // when the part has been read to its end.
    zip_uint64_t got = 0;
    bool ok = true;
    char buffer[65536];
    while (got < stat.size) {
        const zip_uint64_t want = stat.size - got < sizeof buffer ? stat.size - got : sizeof buffer;
        const zip_int64_t n = zip_fread(file, buffer, want);
        if (n <= 0) {
            ok = false;
            break;
        }
        content.append(buffer, static_cast<std::size_t>(n));
        got += static_cast<zip_uint64_t>(n);
    }
    if (ok && zip_fread(file, buffer, 1) != 0)
        ok = false;
    if (!ok)
        error = "the part " + name + " is damaged: " + (zip_file_strerror(file) ? zip_file_strerror(file) : "");
    zip_fclose(file);
    if (!ok) {
        content.clear();
        return false;
    }
    m_total += stat.size;
    return true;
}
