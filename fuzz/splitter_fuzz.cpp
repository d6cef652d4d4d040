// Splits arbitrary bytes and checks what the store then holds.
//
// The first byte picks the scanner's read size, the second arms a failing
// allocation (0 = none), so that tokens cut across reads and the memory
// failure paths are fuzzed too; the rest is the file.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Kerrow.h"
#include "allocation.h"
#include "kerrow_internal.h"

namespace {

std::string g_path;

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// The iteration and the record nodes agree with each other and with the count.
void checkStore() {
    const KERROW_RECORD* node = GetTsvRecordTop();
    int records = 0;
    int count = 0;
    char** fields = nullptr;
    int r;
    for (r = GetFirstTsvRecord(&count, &fields); r == 0; r = GetNextTsvRecord(&count, &fields)) {
        check(node != nullptr, "more records handed out than nodes");
        check(count == node->fieldCount, "delivered count differs from the node's");
        check(count >= 1, "record without a field");
        const KERROW_FIELD* f = node->fields;
        for (int i = 0; i < count; ++i) {
            check(fields[i] != nullptr, "null field pointer");
            check(f != nullptr && f->text == fields[i], "field list differs from the array");
            check(std::strlen(fields[i]) <= 255, "field longer than 255 characters");
            f = f->next;
        }
        check(f == nullptr, "field list longer than the count");
        node = node->next;
        ++records;
    }
    if (r == -1)
        return;  // an armed allocation failed while handing out
    check(r == 1, "unexpected hand-out result");
    check(node == nullptr, "fewer records handed out than nodes");
    check(records == GetTsvRecordCount(), "records iterated differ from the count");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Quoted line feeds go to standard output; keep the fuzzer's output readable.
    if (!std::freopen("/dev/null", "w", stdout))
        return 0;
    // The library reads a file: keep it in memory where the system allows.
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    g_path = std::string(dir) + "/kerrow_fuzz_" + std::to_string(getpid()) + ".tsv";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    kerrow_set_read_size(data[0] % 8 == 0 ? 0 : data[0] % 8);
    long failAt = data[1] < 200 ? 0 : data[1] - 199;
    std::FILE* f = std::fopen(g_path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data + 2, 1, size - 2, f);
    std::fclose(f);

    kerrow_fail_allocation(failAt);
    int result = Kerrow(g_path.c_str());
    check(result == 0 || result == -1, "split result");
    check(std::strlen(GetErrorMessage()) <= 255, "message overflows");
    if (result == -1)
        check(GetErrorMessage()[0] != '\0', "failure without a message");
    checkStore();
    kerrow_fail_allocation(0);
    checkStore();
    FreeAllRecords();
    check(GetTsvRecordCount() == 0 && GetTsvRecordTop() == nullptr, "store not empty after FreeAllRecords");
    int count = 0;
    char** fields = nullptr;
    check(GetFirstTsvRecord(&count, &fields) == 1, "record after FreeAllRecords");
    return 0;
}
