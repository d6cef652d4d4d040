#include "table/kerrow_library.h"

#include <iostream>
#include <sstream>

#include "table/shared_library.h"

const char CKerrowLibrary::kName[] = "Kerrow.dll";

namespace {

template <typename Function>
Function lookUp(void* library, const char* name) {
    return reinterpret_cast<Function>(CSharedLibrary::find(library, name));
}

}  // namespace

CKerrowLibrary::CKerrowLibrary()
    : m_handle(nullptr), m_errorMessage(nullptr), m_version(nullptr), m_firstRecord(nullptr), m_nextRecord(nullptr) {}

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
    const KERROW_SPLIT_FN split = lookUp<KERROW_SPLIT_FN>(m_handle, "Kerrow");
    if (!split) {
        std::cerr << "GetProcAddres() error. ( Kerrow )" << std::endl;
        return false;
    }
    m_errorMessage = lookUp<KERROW_TEXT_FN>(m_handle, "GetErrorMessage");
    if (!m_errorMessage) {
        std::cerr << "GetProcAddres() error. ( GetErrorMessage )" << std::endl;
        return false;
    }
    m_version = lookUp<KERROW_TEXT_FN>(m_handle, "GetKerrowVersion");
    if (!m_version) {
        std::cerr << "GetProcAddres() error. ( GetKerrowVersion )" << std::endl;
        return false;
    }
    if (split(path) != 0) {
        std::cerr << failureText() << std::endl;
        return false;
    }
    return true;
}

CKerrowLibrary::Binding CKerrowLibrary::bindRecords() {
    m_nextRecord = lookUp<KERROW_RECORD_FN>(m_handle, "GetNextTsvRecord");
    if (!m_nextRecord) {
        std::cerr << "GetProcAddress( ) for GetNextTsvRecord error" << std::endl;
        return kNoNextRecord;
    }
    m_firstRecord = lookUp<KERROW_RECORD_FN>(m_handle, "GetFirstTsvRecord");
    if (!m_firstRecord) {
        std::cerr << "GetProcAddress( ) for GetFirstTsvRecord error" << std::endl;
        return kNoFirstRecord;
    }
    return kBound;
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
    const KERROW_FREE_FN freeAll = lookUp<KERROW_FREE_FN>(m_handle, "FreeAllRecords");
    if (!freeAll) {
        std::cerr << "GetProcAddres() error. ( FreeAllRecords )" << std::endl;
        return false;
    }
    freeAll();
    return true;
}
