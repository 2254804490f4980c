// A session global that worker threads and the window thread write and read at the same time.
#pragma once

#include <atomic>
#include <type_traits>

namespace dane {

// Reads and writes like a plain value (GLO.TABLEOPENTIME = clock; int32_t t = GLO.TABLEOPENTIME;),
// but each load and store is atomic, so concurrent use is not a data race. Copying takes a snapshot.
template <class T>
requires std::is_trivially_copyable_v<T>
class SharedValue {
 public:
  constexpr SharedValue() noexcept : value_(T{}) {}
  constexpr SharedValue(T value) noexcept : value_(value) {}  // NOLINT: behaves like the plain value
  SharedValue(const SharedValue& other) noexcept : value_(other.load()) {}
  SharedValue& operator=(const SharedValue& other) noexcept {
    store(other.load());
    return *this;
  }
  SharedValue& operator=(T value) noexcept {
    store(value);
    return *this;
  }

  operator T() const noexcept { return load(); }  // NOLINT
  T load() const noexcept { return value_.load(std::memory_order_acquire); }
  void store(T value) noexcept { value_.store(value, std::memory_order_release); }

 private:
  std::atomic<T> value_;
};

}  // namespace dane
