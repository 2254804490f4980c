// Validators and converters of Polish identifiers: tax number (NIP), personal number (PESEL),
// statistical number (REGON) and the 26-digit bank account number.
//
// Arguments are texts in any form the user typed (trailing blanks never count); truth values are 1 for
// valid and 0 for invalid. Only the account-number functions explain a refusal, through the warning box
// (keldox/messages.h, through the window host); nothing here stores anything or throws.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace keldox {

// Tax number check digit over the first 10 digits (weights 6 5 7 2 3 4 5 6 7, modulo 11; a remainder of
// 10 never validates). A number whose first non-blank character is not a digit (a country prefix) is
// valid unchecked; an empty or blank argument is invalid.
std::uint8_t NIPOK(std::string_view nip);

// Personal number check digit over the first 11 digits (weights 1 3 7 9 1 3 7 9 1 3).
std::uint8_t PESELOK(std::string_view pesel);

// Statistical numbers are not checked: always 1.
std::uint8_t REGONOK(std::string_view regon);

// The tax number as used in EU trade: the trimmed number itself, cut to 20 characters. Mode 1 asks the
// database function dbo.AP_Func_PodajNip(number, second value, 1) instead, through FUNCSQL (the values
// quoted with their apostrophes doubled), closes the query and answers what it returns.
std::string NIPUE(std::string_view nip, std::string_view second_value, std::uint8_t mode = 0);

// The two check digits ("02" to "98") of a Polish account number (ISO 13616, MOD 97-10, country PL) over
// its 24 digits behind the check digits, read as three pieces of 8 characters; a piece that is not a
// whole number (blanks around it allowed) counts as 0.
std::string IBAN_OBLICZSUMEKONTROLNA(std::string_view account_digits);

// Old 24-digit account number (any separators) to the 26-digit form with check digits in front. Any
// other number of digits: the warning "Numer rachunku niezgodny z formatem IBAN.|Numer nie został
// skonwertowany!" and an empty text.
std::string IBAN_KONWERSJA(std::string_view old_account_number);

// Whether a 26-digit account number (digits and blanks only) has correct check digits; a refusal is
// explained with a warning box.
std::uint8_t IBAN_CZYPOPRAWNY(std::string_view account_number);

}  // namespace keldox
