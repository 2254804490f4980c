// Check digits of the tax and personal numbers, and the tax number in its EU trade form.
#include <array>

#include "keldox/identifiers.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "keldox/text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::size_t nip_digits = 10;
constexpr std::size_t pesel_digits = 11;
constexpr std::size_t eu_nip_width = 20;
constexpr std::array<int, 9> nip_weights{6, 5, 7, 2, 3, 4, 5, 6, 7};
constexpr std::array<int, 10> pesel_weights{1, 3, 7, 9, 1, 3, 7, 9, 1, 3};

template <std::size_t N>
int weighted_sum(std::string_view digits, const std::array<int, N>& weights) {
  int sum = 0;
  for (std::size_t i = 0; i < N; ++i) sum += (digits[i] - '0') * weights[i];
  return sum;
}

}  // namespace

std::uint8_t NIPOK(std::string_view nip) {
  const std::string_view from_first = runtime::trim_left(nip);
  if (from_first.empty()) return 0;
  if (from_first.front() < '0' || from_first.front() > '9') return 1;  // a prefixed or foreign number
  const std::string digits = TYLKOZNAKINUMERYCZNE(nip);
  if (digits.size() < nip_digits) return 0;
  return weighted_sum(digits, nip_weights) % 11 == digits[nip_digits - 1] - '0' ? 1 : 0;
}

std::uint8_t PESELOK(std::string_view pesel) {
  const std::string digits = TYLKOZNAKINUMERYCZNE(pesel);
  if (digits.size() < pesel_digits) return 0;
  const int remainder = weighted_sum(digits, pesel_weights) % 10;
  const int check = remainder == 0 ? 0 : 10 - remainder;
  return check == digits[pesel_digits - 1] - '0' ? 1 : 0;
}

std::uint8_t REGONOK(std::string_view) {
  return 1;
}

std::string NIPUE(std::string_view nip, std::string_view second_value, std::uint8_t mode) {
  std::string result;
  if (mode == 1) {
    result = FUNCSQL("select dbo.AP_Func_PodajNip(" + sql_text(runtime::trim_right(nip)) + "," +
                     sql_text(runtime::trim_right(second_value)) + ",1)");
    CLOSESQL();
  } else {
    result = runtime::trim_right(nip);
  }
  result.resize(runtime::cut_to_width(result, eu_nip_width).size());
  return result;
}

}  // namespace keldox
