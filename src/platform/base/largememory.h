#pragma once
// Memory for the large buffers of whole lists (record sets, the grid's rows).
// A request of 256 KiB or more is given whole 2 MiB pieces, aligned, which
// Linux backs with huge pages: a list of 100,000 rows then costs a few dozen
// page faults instead of thousands, and the first list a window shows is as
// quick as the next. Smaller requests are plain heap memory. Free with
// releaseLarge().

#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace platform {

inline constexpr std::size_t kLargePiece = std::size_t(2) << 20;

inline void* allocateLarge(std::size_t bytes)
{
    if (bytes < kLargePiece / 8) {
        if (void* p = std::malloc(bytes ? bytes : 1))
            return p;
        throw std::bad_alloc();
    }
    const std::size_t whole = (bytes + kLargePiece - 1) / kLargePiece * kLargePiece;
    void* p = std::aligned_alloc(kLargePiece, whole);
    if (!p)
        throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(p, whole, MADV_HUGEPAGE);
#endif
    return p;
}

inline void releaseLarge(void* p) { std::free(p); }

// For std::vector and the like.
template <typename T>
struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <typename U>
    LargeAllocator(const LargeAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t n) { return static_cast<T*>(allocateLarge(n * sizeof(T))); }
    void deallocate(T* p, std::size_t) noexcept { releaseLarge(p); }
    template <typename U>
    bool operator==(const LargeAllocator<U>&) const noexcept
    {
        return true;
    }
};

// Deleter for std::unique_ptr of memory from allocateLarge.
struct ReleaseLarge {
    void operator()(void* p) const noexcept { releaseLarge(p); }
};

}  // namespace platform
