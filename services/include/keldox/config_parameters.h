// Configuration parameters of the firm ("s") and of the user ("u"): reads from the session lists and from
// the database.
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

}  // namespace keldox
