// Configuration parameters of the firm ("s") and of the user ("u"): reads from the session lists and from
// the database, and changes written through to both.
#pragma once

#include <string>
#include <string_view>

namespace keldox {

// The value of the parameter from the list of its kind (S_PARAMKONFQ or U_PARAMKONFQ); empty when the code
// is not there or the kind is neither "s" nor "u". Codes match after trailing blanks are cut, in upper case.
// Never touches the database.
std::string POBIERZPARAMKONF(std::string_view name, std::string_view kind);
// The parameter's mask, the same way.
std::string MASKAPARAMKONF(std::string_view name, std::string_view kind);
// The value read now from the database, formatted by the position's mask; empty for another kind or when
// the database holds no value.
std::string POBIERZPARAMKONFZBAZY(std::string_view name, std::string_view kind);

// Sets a parameter of the list of `kind` (value first, code second, kind last) and writes the change
// through to the database with a change-log entry. A code that is not in the list changes nothing; an
// unchanged value (trailing blanks aside) sends no statement. Setting the firm's "IBAN" also gives the
// new account to every report parameter named IBAN. A user's "DOMKASA" becomes the current cash desk at
// once and "DRZEWKOFILTRROZ" has the settlement filter tree rebuilt. The statement channel is closed in
// every case; failures of the statements are not reported and the list keeps the new value.
void USTAWPARAMKONF(std::string_view value, std::string_view name, std::string_view kind);

}  // namespace keldox
