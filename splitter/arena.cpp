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
    char* p = m_next ? alignUp(m_next, align) : nullptr;
    if (!p || p > m_end || static_cast<std::size_t>(m_end - p) < size) {
        if (!grow(size))
            return nullptr;
        p = m_next;  // a fresh chunk is 16-aligned
    }
    m_next = p + size;
    return p;
}

bool CArena::grow(std::size_t atLeast) {
    std::size_t capacity = m_nextCapacity;
    while (capacity < atLeast)
        capacity *= 2;
    void* block = kerrow_malloc(kHeaderSize + capacity);
    if (!block)
        return false;
    Chunk* chunk = static_cast<Chunk*>(block);
    chunk->next = m_chunks;
    chunk->capacity = capacity;
    m_chunks = chunk;
    m_next = static_cast<char*>(block) + kHeaderSize;
    m_end = m_next + capacity;
    if (m_nextCapacity < kMaxCapacity)
        m_nextCapacity *= 2;
    return true;
}

void CArena::release() {
    while (m_chunks) {
        Chunk* next = m_chunks->next;
        kerrow_free(m_chunks);
        m_chunks = next;
    }
    m_next = m_end = nullptr;
    m_nextCapacity = kFirstCapacity;
}
