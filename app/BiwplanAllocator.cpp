#include <mimalloc.h>
#include <sys/mman.h>

#include <cstdint>

// The program allocates through mimalloc, linked in place of the C
// library's malloc, and asks it for 2 MiB pages: loading a body builds
// hundreds of thousands of small objects, and on 4 KiB pages a third of
// the processor time went to the kernel's page faults and the rest waited
// on the address translation's misses (docs/performance.md). Where the
// system gives no huge pages, mimalloc uses ordinary ones.
//
// The option takes effect for memory mimalloc maps from now on; the shared
// libraries' constructors ran before this one and already made the first
// segment, on ordinary pages, where the small objects go until it is full.
// mimalloc 2 aligns each segment to its 32 MiB size, so the segment of a
// small block just allocated is that block's 32 MiB-aligned span, advised
// for huge pages here too.
namespace {
struct LargePages {
  LargePages() {
    mi_option_enable(mi_option_large_os_pages);
#if MI_MALLOC_VERSION >= 200
    constexpr std::uintptr_t SegmentSize = std::uintptr_t{32} << 20;
    void* probe = mi_malloc(16);
    const std::uintptr_t segment = reinterpret_cast<std::uintptr_t>(probe) & ~(SegmentSize - 1);
    (void)madvise(reinterpret_cast<void*>(segment), SegmentSize, MADV_HUGEPAGE);
    mi_free(probe);
#endif
  }
} const largePages;
}  // namespace
