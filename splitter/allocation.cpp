#include "allocation.h"

#include <cstdlib>

namespace {
long g_countdown = 0;  // 0: nothing armed
long g_count = 0;
}  // namespace

bool kerrow_allocation_fails() {
    ++g_count;
    if (g_countdown == 0)
        return false;
    return --g_countdown == 0;
}

void* kerrow_malloc(std::size_t size) {
    if (kerrow_allocation_fails())
        return nullptr;
    return std::malloc(size);
}

void kerrow_free(void* block) {
    std::free(block);
}

void kerrow_fail_allocation(long nth) {
    g_countdown = nth > 0 ? nth : 0;
    g_count = 0;
}

long kerrow_allocation_count() {
    return g_count;
}
