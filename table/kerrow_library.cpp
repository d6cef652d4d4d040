#include "table/kerrow_library.h"

#include <iostream>
#include <sstream>

#include "table/shared_library.h"

const char CKerrowLibrary::kName[] = "Kerrow.dll";

namespace {

// The export name of library, or null after writing message (when given).
template <typename Function>
Function lookUp(void* library, const char* name, const char* message = nullptr) {
    const Function found = reinterpret_cast<Function>(CSharedLibrary::find(library, name));
    if (!found && message)
        std::cerr << message << std::endl;
    return found;
}

}  // namespace

CKerrowLibrary::CKerrowLibrary()
    : m_handle(nullptr),
      m_errorMessage(nullptr),
      m_version(nullptr),
      m_firstRecord(nullptr),
      m_nextRecord(nullptr) {}

CKerrowLibrary::~CKerrowLibrary() {
    if (m_handle)
        CSharedLibrary::release(m_handle);
}

bool CKerrowLibrary::load() {
    m_handle = CSharedLibrary::load(kName);
    if (!m_handle) {
        std::cerr << kName << " loading error." << std::endl;
        return false;
    }
    return true;
}

bool CKerrowLibrary::split(const char* path) {
    const KERROW_SPLIT_FN split = lookUp<KERROW_SPLIT_FN>(m_handle, "Kerrow", "GetProcAddres() error. ( Kerrow )");
    if (!split)
        return false;
    m_errorMessage = lookUp<KERROW_TEXT_FN>(m_handle, "GetErrorMessage", "GetProcAddres() error. ( GetErrorMessage )");
    if (!m_errorMessage)
        return false;
    m_version = lookUp<KERROW_TEXT_FN>(m_handle, "GetKerrowVersion", "GetProcAddres() error. ( GetKerrowVersion )");
    if (!m_version)
        return false;
    if (split(path) != 0) {
        std::cerr << failureText() << std::endl;
        return false;
    }
    return true;
}

CKerrowLibrary::Binding CKerrowLibrary::bindRecords() {
    m_nextRecord =
        lookUp<KERROW_RECORD_FN>(m_handle, "GetNextTsvRecord", "GetProcAddress( ) for GetNextTsvRecord error");
    if (!m_nextRecord)
        return kNoNextRecord;
    m_firstRecord =
        lookUp<KERROW_RECORD_FN>(m_handle, "GetFirstTsvRecord", "GetProcAddress( ) for GetFirstTsvRecord error");
    return m_firstRecord ? kBound : kNoFirstRecord;
}

int CKerrowLibrary::firstRecord(int& fieldCount, char**& fields) {
    return m_firstRecord(&fieldCount, &fields);
}

int CKerrowLibrary::nextRecord(int& fieldCount, char**& fields) {
    return m_nextRecord(&fieldCount, &fields);
}

std::string CKerrowLibrary::failureText() const {
    std::ostringstream text;
    text << m_errorMessage() << " ( " << kName << " " << m_version() << " )";
    return text.str();
}

bool CKerrowLibrary::freeAllRecords() {
    const KERROW_FREE_FN freeAll =
        lookUp<KERROW_FREE_FN>(m_handle, "FreeAllRecords", "GetProcAddres() error. ( FreeAllRecords )");
    if (freeAll)
        freeAll();
    return freeAll != nullptr;
}
