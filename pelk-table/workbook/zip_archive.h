#ifndef PELK_TABLE_WORKBOOK_ZIP_ARCHIVE_H
#define PELK_TABLE_WORKBOOK_ZIP_ARCHIVE_H

#include <cstdint>
#include <string>

struct zip;
struct zip_source;

/// CZipArchive reads the parts of a ZIP archive held in memory, with
/// libzip, which checks each part's CRC. A part is read only within the
/// limits: its uncompressed size, its ratio to the compressed size, and the
/// total of all parts read.
class CZipArchive {
public:
    /// The most bytes one part may expand to, the highest ratio of expanded
    /// to compressed size (for parts above kRatioFloor bytes), and the most
    /// bytes all parts read together may expand to.
    static const std::uint64_t kMaxPartSize = 256ull << 20;
    static const std::uint64_t kMaxRatio = 1000;
    static const std::uint64_t kRatioFloor = 1u << 20;
    static const std::uint64_t kMaxTotalSize = 512ull << 20;

    CZipArchive() = default;
    ~CZipArchive();
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;

    /// Opens the archive in bytes (kept by reference: it must outlive this
    /// object). False, with error set, when it is no readable ZIP archive.
    bool open(const std::string& bytes, std::string& error);
    /// True when the archive holds a part of this name.
    bool has(const std::string& name) const;
    /// Reads part name into content. False, with error set, when it is
    /// missing, beyond the limits or corrupt.
    bool read(const std::string& name, std::string& content, std::string& error);

private:
    zip* m_archive = nullptr;
    std::uint64_t m_total = 0;
};

#endif
