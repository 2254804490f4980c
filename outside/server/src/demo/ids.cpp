// Polish identifiers with valid check digits and day numbers of the application calendar.
#include <chrono>
#include <cstdio>
#include <string>

#include "server/demo.h"

namespace server {
namespace {

int digit(const std::string& s, std::size_t i) {
  return s[i] - '0';
}

}  // namespace

std::int64_t day_number(int year, unsigned month, unsigned day) {
  using namespace std::chrono;
  const sys_days date{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}};
  const sys_days origin{std::chrono::year{1800} / December / 28};
  return (date - origin).count();
}

std::string pesel(int year, unsigned month, unsigned day, unsigned serial, bool female) {
  unsigned encoded_month = month;
  if (year >= 2000) encoded_month += 20;
  if (year < 1900) encoded_month += 80;
  char text[16];
  const unsigned sex = (serial % 5) * 2 + (female ? 0 : 1);
  std::snprintf(text, sizeof text, "%02d%02u%02u%03u%u", year % 100, encoded_month, day, serial % 1000, sex);
  std::string s(text);
  static constexpr int kWeights[] = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3};
  int sum = 0;
  for (std::size_t i = 0; i < 10; ++i) sum += digit(s, i) * kWeights[i];
  s += static_cast<char>('0' + (10 - sum % 10) % 10);
  return s;
}

std::string nip(std::uint32_t tax_office, std::uint32_t serial) {
  static constexpr int kWeights[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
  for (std::uint32_t attempt = serial;; ++attempt) {
    char text[16];
    std::snprintf(text, sizeof text, "%03u%06u", 100 + tax_office % 900, attempt % 1000000);
    std::string s(text);
    int sum = 0;
    for (std::size_t i = 0; i < 9; ++i) sum += digit(s, i) * kWeights[i];
    if (sum % 11 == 10) continue;
    s += static_cast<char>('0' + sum % 11);
    return s;
  }
}

std::string regon9(std::uint32_t serial) {
  static constexpr int kWeights[] = {8, 9, 2, 3, 4, 5, 6, 7};
  char text[16];
  std::snprintf(text, sizeof text, "%08u", serial % 100000000);
  std::string s(text);
  int sum = 0;
  for (std::size_t i = 0; i < 8; ++i) sum += digit(s, i) * kWeights[i];
  s += static_cast<char>('0' + sum % 11 % 10);
  return s;
}

std::string sort_code(unsigned bank, unsigned branch) {
  static constexpr int kWeights[] = {3, 9, 7, 1, 3, 9, 7};
  char text[16];
  std::snprintf(text, sizeof text, "%03u%04u", bank % 1000, branch % 10000);
  std::string s(text);
  int sum = 0;
  for (std::size_t i = 0; i < 7; ++i) sum += digit(s, i) * kWeights[i];
  s += static_cast<char>('0' + (10 - sum % 10) % 10);
  return s;
}

}  // namespace server
