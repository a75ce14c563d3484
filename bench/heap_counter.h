// Heap bytes in use and their peak, counted by wrapping the C allocator (operator new uses it too).
// Included by one file of a benchmark program only: it defines malloc and its kin.
#pragma once

#include <cstddef>

namespace qm::bench {
inline size_t gInUse = 0;
inline size_t gPeak = 0;
}  // namespace qm::bench

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);
size_t malloc_usable_size(void*);

static void Count(void* p, bool add) {
  if (!p) return;
  const size_t size = malloc_usable_size(p);
  qm::bench::gInUse = add ? qm::bench::gInUse + size : qm::bench::gInUse - size;
  if (qm::bench::gInUse > qm::bench::gPeak) qm::bench::gPeak = qm::bench::gInUse;
}
void* malloc(size_t size) {
  void* p = __libc_malloc(size);
  Count(p, true);
  return p;
}
void* calloc(size_t count, size_t size) {
  void* p = __libc_calloc(count, size);
  Count(p, true);
  return p;
}
void* realloc(void* old, size_t size) {
  Count(old, false);
  void* p = __libc_realloc(old, size);
  Count(p ? p : old, true);
  return p;
}
void free(void* p) {
  Count(p, false);
  __libc_free(p);
}
}
