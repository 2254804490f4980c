// A permission code in the form the lists hold it, made on the stack so that checks never allocate.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace keldox::access {

// Access kinds of a grant: 0 is no access, 1 full access, 2 access limited by the flag letters.
inline constexpr std::uint8_t kFullAccess = 1;
inline constexpr std::uint8_t kLimitedAccess = 2;

// Width of a code in ACCESSQ and UPRAWNQ, in characters.
inline constexpr std::size_t kCodeWidth = 20;

// The code's first 20 characters in upper case (Polish letters too), trailing blanks removed.
class PermissionCode {
 public:
  explicit PermissionCode(std::string_view code) noexcept;
  std::string_view view() const noexcept { return {bytes_.data(), size_}; }

 private:
  std::array<char, kCodeWidth * 4> bytes_{};
  std::size_t size_ = 0;
};

// GLO.ID_MAGAZYNU truncated to a whole number; 0 when it is no finite number, held at the bounds of
// 32 bits when beyond them.
std::int32_t current_warehouse() noexcept;

bool is_administrator() noexcept;

}  // namespace keldox::access
