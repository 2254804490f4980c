// The VAXZAZ channel of record marking and the action log: single values and statements with the retry
// rules of FUNCSQL.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace keldox {

// The first column of the first row, up to 999 characters, or empty.
std::string FUNCSQLZAZ(std::string_view statement, std::uint8_t quiet = 0);
// Runs the statement with FUNCSQL's retries; never quiet.
void EXECSQLZAZ(std::string_view statement);

}  // namespace keldox
