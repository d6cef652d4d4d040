// Settings of the library that only tests change.
#ifndef KERROW_INTERNAL_H
#define KERROW_INTERNAL_H

#include <cstddef>

/// Bytes the scanner reads at once in later splits (1 to 16384); 0 restores
/// the default. Small sizes split tokens across reads.
void kerrow_set_read_size(std::size_t size);

#endif
