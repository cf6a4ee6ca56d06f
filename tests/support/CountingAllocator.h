#pragma once

// Counts every allocation of the test program that includes this header, so a frame
// that allocates shows. Include it in exactly one file of a test program: it replaces
// the global operator new and delete.

#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<long> allocations{0};

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

// Inlined where the program deletes, GCC sees free() take what a new expression made
// and warns; that new is the replacement above, which took it from malloc().
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
#pragma GCC diagnostic pop
