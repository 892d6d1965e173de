#include "counting_new.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Global by necessity: operator new has no other way to report.
std::atomic<long> g_allocations{0};
std::atomic<std::size_t> g_bytes{0};

}  // namespace

namespace calc::testing {

long AllocationCount() { return g_allocations.load(); }
std::size_t AllocatedBytes() { return g_bytes.load(); }

}  // namespace calc::testing

// Every form that the replaced operator delete may free comes from malloc
// here too, so that a sanitizer sees matching pairs.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  g_bytes.fetch_add(size, std::memory_order_relaxed);
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new(std::size_t size) {
  if (void* p = operator new(size, std::nothrow)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return operator new(size, std::nothrow); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
