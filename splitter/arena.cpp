#include "arena.h"

#include <cstdint>

#include "allocation.h"

namespace {
constexpr std::size_t kHeaderSize = 16;  // keeps chunk data 16-aligned

char* alignUp(char* p, std::size_t align) {
    std::uintptr_t v = reinterpret_cast<std::uintptr_t>(p);
    v = (v + align - 1) & ~static_cast<std::uintptr_t>(align - 1);
    return reinterpret_cast<char*>(v);
}
}  // namespace

void* CArena::allocate(std::size_t size, std::size_t align) {
    if (kerrow_allocation_fails())
        return nullptr;
    char* p = next_ ? alignUp(next_, align) : nullptr;
    if (!p || p > end_ || static_cast<std::size_t>(end_ - p) < size) {
        if (!grow(size))
            return nullptr;
        p = next_;  // a fresh chunk is 16-aligned
    }
    next_ = p + size;
    return p;
}

bool CArena::grow(std::size_t atLeast) {
    std::size_t capacity = nextCapacity_;
    while (capacity < atLeast)
        capacity *= 2;
    void* block = kerrow_malloc(kHeaderSize + capacity);
    if (!block)
        return false;
    Chunk* chunk = static_cast<Chunk*>(block);
    chunk->next = chunks_;
    chunk->capacity = capacity;
    chunks_ = chunk;
    next_ = static_cast<char*>(block) + kHeaderSize;
    end_ = next_ + capacity;
    if (nextCapacity_ < kMaxCapacity)
        nextCapacity_ *= 2;
    return true;
}

void CArena::release() {
    while (chunks_) {
        Chunk* next = chunks_->next;
        kerrow_free(chunks_);
        chunks_ = next;
    }
    next_ = end_ = nullptr;
    nextCapacity_ = kFirstCapacity;
}
