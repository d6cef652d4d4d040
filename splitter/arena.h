// CArena: a bump allocator for the many small nodes and texts of one split.
// Nothing is released singly; release() drops everything at once.
#ifndef KERROW_ARENA_H
#define KERROW_ARENA_H

#include <cstddef>

class CArena {
public:
    CArena() = default;
    ~CArena() { release(); }
    CArena(const CArena&) = delete;
    CArena& operator=(const CArena&) = delete;

    /// size bytes aligned to align (a power of two, at most 16); null when
    /// memory runs out. Valid until release().
    void* allocate(std::size_t size, std::size_t align);

    /// Releases every block handed out; the arena is empty and usable again.
    void release();

private:
    struct Chunk {
        Chunk* next;
        std::size_t capacity;
    };
    // Chunks grow from small (small files stay small) to a ceiling (the
    // waste at the end of the last chunk stays bounded).
    static constexpr std::size_t kFirstCapacity = 4096;
    static constexpr std::size_t kMaxCapacity = 1 << 20;

    bool grow(std::size_t atLeast);

    Chunk* m_chunks = nullptr;
    char* m_next = nullptr;
    char* m_end = nullptr;
    std::size_t m_nextCapacity = kFirstCapacity;
};

#endif
