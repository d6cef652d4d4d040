// A stand-in for the splitter library, for tests of how pelk binds it. It
// splits lines at LF and fields at TAB, knows no quoting, and reports the
// version "0.0-stub". Each STUB_WITHOUT_<name> definition leaves out the
// export <name>, so that a test can watch pelk meet a library without it;
// STUB_WITHOUT_ThirdRecord fails to hand out the third record.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#define STUB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::vector<std::vector<std::string>> records;
std::vector<char*> handedOut;
size_t cursor = 0;
char message[256] = "";

int deliver(int* fieldCount, char*** fields) {
    if (cursor >= records.size())
        return 1;
#ifdef STUB_WITHOUT_ThirdRecord
    if (cursor == 2) {
        std::snprintf(message, sizeof message, "stub cannot hand out record 3");
        return -1;
    }
#endif
    handedOut.clear();
    for (std::string& field : records[cursor])
        handedOut.push_back(&field[0]);
    *fieldCount = static_cast<int>(handedOut.size());
    *fields = handedOut.data();
    ++cursor;
    return 0;
}

}  // namespace

#ifndef STUB_WITHOUT_Kerrow
STUB_EXPORT int Kerrow(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::snprintf(message, sizeof message, "stub cannot open %s", path);
        return -1;
    }
    records.clear();
    std::ostringstream all;
    all << in.rdbuf();
    std::istringstream lines(all.str());
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields(1);
        for (char c : line) {
            if (c == '\t')
                fields.emplace_back();
            else
                fields.back() += c;
        }
        records.push_back(fields);
    }
    return 0;
}
#endif

#ifndef STUB_WITHOUT_GetFirstTsvRecord
STUB_EXPORT int GetFirstTsvRecord(int* fieldCount, char*** fields) {
    cursor = 0;
    return deliver(fieldCount, fields);
}
#endif

#ifndef STUB_WITHOUT_GetNextTsvRecord
STUB_EXPORT int GetNextTsvRecord(int* fieldCount, char*** fields) {
    return deliver(fieldCount, fields);
}
#endif

#ifndef STUB_WITHOUT_FreeAllRecords
STUB_EXPORT void FreeAllRecords(void) {
    records.clear();
    handedOut.clear();
    cursor = 0;
}
#endif

#ifndef STUB_WITHOUT_GetErrorMessage
STUB_EXPORT const char* GetErrorMessage(void) {
    return message;
}
#endif

#ifndef STUB_WITHOUT_GetKerrowVersion
STUB_EXPORT const char* GetKerrowVersion(void) {
    return "0.0-stub";
}
#endif
