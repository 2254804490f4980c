// Address lists as people type them, and the lists that must never reach a header or a command line.
#include <gtest/gtest.h>

#include "mail/mail.h"

namespace mail {
namespace {

std::vector<Address> parsed(std::string_view list) {
  std::vector<Address> out;
  std::string error;
  EXPECT_TRUE(parse_addresses(list, out, error)) << list << ": " << error;
  return out;
}

std::string refusal(std::string_view list) {
  std::vector<Address> out;
  std::string error;
  EXPECT_FALSE(parse_addresses(list, out, error)) << list;
  return error;
}

TEST(Addresses, SemicolonsCommasDisplayNamesAndQuotedCommasAreUnderstood) {
  const auto a = parsed(" jan@firma.pl; Anna Nowak <anna@firma.pl>, \"Kowalski, Piotr\" <piotr@x.com.pl> ;;");
  ASSERT_EQ(a.size(), 3u);
  EXPECT_EQ(a[0].address, "jan@firma.pl");
  EXPECT_EQ(a[0].display_name, "");
  EXPECT_EQ(a[1].address, "anna@firma.pl");
  EXPECT_EQ(a[1].display_name, "Anna Nowak");
  EXPECT_EQ(a[2].address, "piotr@x.com.pl");
  EXPECT_EQ(a[2].display_name, "Kowalski, Piotr");
  EXPECT_EQ(parsed("Łukasz Żak <lukasz@firma.pl>")[0].display_name, "Łukasz Żak");
  EXPECT_TRUE(parsed("").empty());
  EXPECT_TRUE(parsed(" ; , ").empty());
}

TEST(Addresses, LineBreaksAndControlCharactersAreRefusedWhereverTheyStand) {
  EXPECT_EQ(refusal("jan@firma.pl\r\nBcc: szpieg@zly.pl"), "lista adresów zawiera znak końca linii");
  EXPECT_EQ(refusal("jan@firma.pl\nBcc: szpieg@zly.pl"), "lista adresów zawiera znak końca linii");
  EXPECT_EQ(refusal("\"Jan\rKowalski\" <jan@firma.pl>"), "lista adresów zawiera znak końca linii");
  EXPECT_EQ(refusal(std::string("jan@firma.pl\0x", 14)), "lista adresów zawiera znak sterujący");
  EXPECT_EQ(refusal("jan@firma.pl\t\x1b"), "lista adresów zawiera znak sterujący");
}

TEST(Addresses, WhatIsNotAnAddressIsNamedInTheRefusal) {
  EXPECT_EQ(refusal("jan@firma.pl; nie adres"), "niepoprawny adres e-mail: nie adres");
  EXPECT_EQ(refusal("jan@@firma.pl"), "niepoprawny adres e-mail: jan@@firma.pl");
  EXPECT_EQ(refusal("@firma.pl"), "niepoprawny adres e-mail: @firma.pl");
  EXPECT_EQ(refusal("jan@"), "niepoprawny adres e-mail: jan@");
  EXPECT_EQ(refusal("Jan <jan@firma.pl"), "niepoprawny adres e-mail: Jan <jan@firma.pl");
  EXPECT_EQ(refusal("\"Jan <jan@firma.pl>"), "niepoprawny adres e-mail: \"Jan <jan@firma.pl>");
  EXPECT_EQ(refusal("jan kowalski@firma.pl"), "niepoprawny adres e-mail: jan kowalski@firma.pl");
  EXPECT_EQ(refusal("żółw@firma.pl"), "niepoprawny adres e-mail: żółw@firma.pl");
  // Read as an option by a program's command line.
  EXPECT_EQ(refusal("--attach=/etc/shadow@x.pl"), "niepoprawny adres e-mail: --attach=/etc/shadow@x.pl");
}

}  // namespace
}  // namespace mail
