#include <mimalloc.h>

// The program allocates through mimalloc, linked in place of the C
// library's malloc, and asks it for 2 MiB pages: loading a body builds
// hundreds of thousands of small objects, and on 4 KiB pages a third of
// the processor time went to the kernel's page faults and the rest waited
// on the address translation's misses (docs/performance.md). Where the
// system gives no huge pages, mimalloc uses ordinary ones.
namespace {
struct LargePages {
  LargePages() { mi_option_enable(mi_option_large_os_pages); }
} const largePages;
}  // namespace
