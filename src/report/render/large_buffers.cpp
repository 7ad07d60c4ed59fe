#include "report/render/large_buffers.h"

#include <mutex>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace dorvana {

namespace {

std::mutex holdersLock;
int holders = 0;

#if defined(__GLIBC__)
// glibc's largest mmap threshold on 64-bit systems, and its default thresholds.
constexpr int kKeptBlock = 32 * 1024 * 1024;
constexpr int kKeptFree = 256 * 1024 * 1024;
constexpr int kDefaultThreshold = 128 * 1024;
#endif

}  // namespace

KeepLargeBuffersInHeap::KeepLargeBuffersInHeap() {
    const std::lock_guard lock(holdersLock);
    if (holders++ > 0) return;
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, kKeptBlock);
    mallopt(M_TRIM_THRESHOLD, kKeptFree);
#endif
}

KeepLargeBuffersInHeap::~KeepLargeBuffersInHeap() {
    const std::lock_guard lock(holdersLock);
    if (--holders > 0) return;
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, kDefaultThreshold);
    mallopt(M_TRIM_THRESHOLD, kDefaultThreshold);
    malloc_trim(0);
#endif
}

}  // namespace dorvana
