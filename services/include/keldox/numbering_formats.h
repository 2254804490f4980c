// Numbering definitions of the company's documents: loaded into FORMAT_NUMERACJI_Q and looked up from the
// most specific level (kind, type, resource) to the most general one (kind).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace keldox {

// Reloads FORMAT_NUMERACJI_Q with the definitions of GLO.ID_FIRMY, kinds 11 to 20 left out. A failed
// query shows its error window and leaves the list empty. Lookups on other threads see the old list or
// the new one, never a part.
void LADUJFORMATYNUMERACJI();

// The definition that applies to a document of `kind`, `type` and `resource`. The format and period come
// from (kind, type, resource) or else from (kind, type, 0); each of the two settings comes from the first
// of the three levels, (kind, 0, 0) the last, that gives it non-zero. True when both settings were found.
// A missing level or incomplete settings are reported with warnings naming the document type or kind
// (their distinguisher for kinds above 20). The outputs are cleared on entry and keep what was found
// before a failure; `format` holds at most `format_size` characters.
bool POBIERZFORMATNUMERACJI(std::uint8_t kind, std::int32_t type, std::int32_t resource, std::string& format,
                            std::size_t format_size, std::uint8_t& period, std::uint8_t& first_setting,
                            std::uint8_t& second_setting);

}  // namespace keldox
