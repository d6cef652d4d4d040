#ifndef PELK_TABLE_KERROW_LIBRARY_H
#define PELK_TABLE_KERROW_LIBRARY_H

#include <string>

#include "Kerrow.h"
#include "table/record_source.h"

/// CKerrowLibrary is pelk's binding of the splitter library: it loads the
/// library by name, looks up each export where it is needed (reporting a
/// missing one on standard error) and releases the library when destroyed.
class CKerrowLibrary : public CRecordSource {
public:
    /// The name the library is asked for on every platform.
    static const char kName[];

    CKerrowLibrary();
    ~CKerrowLibrary() override;

    CKerrowLibrary(const CKerrowLibrary&) = delete;
    CKerrowLibrary& operator=(const CKerrowLibrary&) = delete;

    /// Loads the library; false after reporting that it cannot be loaded.
    bool load();
    /// Looks up Kerrow, GetErrorMessage and GetKerrowVersion, then splits the
    /// file at path; false after reporting a missing export or the library's
    /// message.
    bool split(const char* path);

    /// Outcome of bindRecords().
    enum Binding { kBound, kNoNextRecord, kNoFirstRecord };
    /// Looks up GetNextTsvRecord, then GetFirstTsvRecord, reporting the first
    /// that is missing.
    Binding bindRecords();

    /// The record functions; bindRecords() must have returned kBound.
    int firstRecord(int& fieldCount, char**& fields) override;
    int nextRecord(int& fieldCount, char**& fields) override;

    /// The library's last message with its name and version:
    /// "<message> ( Kerrow.dll <version> )". split() must have looked them up.
    std::string failureText() const;

    /// Looks up FreeAllRecords and calls it; false after reporting that it
    /// is missing.
    bool freeAllRecords();

private:
    void* m_handle;
    KERROW_TEXT_FN m_errorMessage;
    KERROW_TEXT_FN m_version;
    KERROW_RECORD_FN m_firstRecord;
    KERROW_RECORD_FN m_nextRecord;
};

#endif
