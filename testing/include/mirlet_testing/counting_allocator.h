// Replaces the global operator new and delete with ones that count the allocations of the calling thread
// while counting is on, so that a test can show that an operation never touches the heap.
//
// Include it in exactly one source file of a test executable: the replacements are definitions.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

namespace mirlet_testing {

// Set `counting`, clear `allocations`, run the operation, read `allocations`, clear `counting`.
inline thread_local bool counting = false;
inline thread_local std::size_t allocations = 0;

inline void* counted_allocation(std::size_t size) noexcept {
  if (counting) ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}

inline void* counted_allocation_or_throw(std::size_t size) {
  if (void* p = counted_allocation(size)) return p;
  throw std::bad_alloc();
}

}  // namespace mirlet_testing

// The replacement pair allocates with malloc and frees with free, which the compiler cannot see across
// the replaced operators.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  return mirlet_testing::counted_allocation_or_throw(size);
}
void* operator new[](std::size_t size) {
  return mirlet_testing::counted_allocation_or_throw(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return mirlet_testing::counted_allocation(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return mirlet_testing::counted_allocation(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
