// Every allocation of the library goes through here, so that a test can make
// any single one of them fail.
#ifndef KERROW_ALLOCATION_H
#define KERROW_ALLOCATION_H

#include <cstddef>

/// Counts one allocation; true when it is the one a test has armed to fail.
bool kerrow_allocation_fails();

/// malloc that honours the armed failure; null on failure.
void* kerrow_malloc(std::size_t size);

/// Releases what kerrow_malloc returned; null is ignored.
void kerrow_free(void* block);

/// Test hook: the nth allocation from now fails (1 = the next one), once;
/// 0 disarms. Resets the count of kerrow_allocation_count().
void kerrow_fail_allocation(long nth);

/// Allocations counted since the last kerrow_fail_allocation().
long kerrow_allocation_count();

#endif
