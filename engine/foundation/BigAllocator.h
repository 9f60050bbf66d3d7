#pragma once
// An allocator for arrays that can grow to hundreds of megabytes (hit lists
// of whole-corpus N-gram enumerations): large blocks are aligned to 2 MiB and
// marked for transparent huge pages, so filling them takes one page fault per
// 2 MiB instead of one per 4 KiB.
#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace korvelin {

template <typename T>
struct TBigAllocator {
  using value_type = T;
  static constexpr size_t kHuge = size_t{2} << 20;

  TBigAllocator() = default;
  template <typename U>
  TBigAllocator(const TBigAllocator<U>&) noexcept {}

  T* allocate(size_t n) {
    const size_t bytes = n * sizeof(T);
    if (bytes < 4 * kHuge) {
      if (void* p = std::malloc(bytes)) return static_cast<T*>(p);
      throw std::bad_alloc();
    }
    const size_t rounded = (bytes + kHuge - 1) / kHuge * kHuge;
    void* p = std::aligned_alloc(kHuge, rounded);
    if (!p) throw std::bad_alloc();
    ::madvise(p, rounded, MADV_HUGEPAGE);  // advice only: ignored where unsupported
    return static_cast<T*>(p);
  }
  void deallocate(T* p, size_t) noexcept { std::free(p); }

  template <typename U>
  bool operator==(const TBigAllocator<U>&) const noexcept { return true; }
};

}  // namespace korvelin
