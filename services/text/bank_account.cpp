// Check digits of Polish bank account numbers (ISO 13616 / ISO 7064 MOD 97-10, country PL).
#include <cstdint>

#include "keldox/identifiers.h"
#include "keldox/messages.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::size_t account_digits = 26;
constexpr std::size_t old_account_digits = 24;
constexpr std::size_t conversion_width = 50;

// One 8-character piece read as a whole number; anything but digits with blanks around them reads as 0.
std::int64_t piece_value(std::string_view piece) {
  const std::string_view digits = runtime::trim(piece);
  std::int64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string check_digits(std::string_view digits24) {
  const std::int64_t piece1 = piece_value(runtime::sub_text(digits24, 1, 8));
  const std::int64_t piece2 = piece_value(runtime::sub_text(digits24, 9, 8));
  const std::int64_t piece3 = piece_value(runtime::sub_text(digits24, 17, 8));
  const std::int64_t r1 = (piece1 * 81 + piece2) % 97;  // 81 = 10^8 mod 97
  const std::int64_t r2 = (r1 * 81 + piece3) % 97;
  const std::int64_t r3 = (r2 * 27 + 94) % 97;  // 27 = 10^6 mod 97; 94 = "PL00" (252100) mod 97
  const int check = static_cast<int>(98 - r3);
  return {static_cast<char>('0' + check / 10), static_cast<char>('0' + check % 10)};
}

}  // namespace

std::string IBAN_OBLICZSUMEKONTROLNA(std::string_view account_digits24) {
  return check_digits(account_digits24);
}

std::string IBAN_KONWERSJA(std::string_view old_account_number) {
  std::string digits;
  for (const char c : runtime::trim_right(old_account_number)) {
    if (c >= '0' && c <= '9' && digits.size() < conversion_width) digits.push_back(c);
  }
  if (digits.size() != old_account_digits) {
    MSG_OSTRZEZENIE("Numer rachunku niezgodny z formatem IBAN.|Numer nie został skonwertowany!");
    return {};
  }
  return check_digits(digits) + digits;
}

std::uint8_t IBAN_CZYPOPRAWNY(std::string_view account_number) {
  std::string digits;
  for (const char c : runtime::trim_right(account_number)) {
    if (c == ' ') continue;
    if (c < '0' || c > '9') {
      MSG_OSTRZEZENIE("W numerze rachunku nie może być znaków alfabetycznych!");
      return 0;
    }
    if (digits.size() <= account_digits) digits.push_back(c);  // one more is enough to see too many
  }
  if (digits.size() != account_digits) {
    MSG_OSTRZEZENIE("W numerze rachunku musi być 26 znaków numerycznych!");
    return 0;
  }
  if (check_digits(std::string_view(digits).substr(2)) != std::string_view(digits).substr(0, 2)) {
    MSG_OSTRZEZENIE("Numer rachunku nie jest poprawny!");
    return 0;
  }
  return 1;
}

}  // namespace keldox
