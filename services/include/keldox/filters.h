// Browse filter and sort expressions of the window framework rewritten as T-SQL conditions and orders.
//
// Framework expressions name fields with a table prefix and a colon (PRA:NAZWISKO), test substrings with
// INSTRING('needle',field,1,1) <> 0, mark a descending sort term with a leading minus and take substrings
// with SUB. These are pure text functions: no database, no screen, no shared state.
//
// Texts are UTF-8 and every width counts characters; a cut never splits a letter. A working text holds at
// most 20,000 characters: longer input is cut, and so is a result. The substring and descending rewrites
// work on pieces of at most 100 characters each (the text before the rewritten term, the term, the text
// after it), so what lies beyond a piece is dropped; callers keep their texts within these pieces. Any byte
// string, invalid UTF-8 included, gives a defined result; nothing throws.
#pragma once

#include <string>
#include <string_view>

namespace keldox {

// The text (trailing blanks cut) with every table prefix removed: each colon goes, together with the run
// of identifier characters (ASCII letters, digits, "_") right before it. A colon inside a quoted literal is
// no exception, so '12:30' becomes '30'.
std::string FILTR2SQL(std::string_view text);

// A browse filter or sort text made T-SQL. The arguments stand in their historical order: the two
// replacements, then the two prefixes in reverse, then the text. Every occurrence of prefix1 is replaced
// by alias2, then every occurrence of prefix2 by alias1, each left to right in one pass (a replacement is
// never read again, so an alias may contain its prefix); an empty prefix replaces nothing. Prefixes count
// at most 100 characters; prefixes and aliases lose their trailing blanks. Then the first substring test
// becomes `like` (REPLACEINSTRINGNALIKE), descending terms get " desc" (REPLACEMINUSNADESC with alias1 and
// alias2) and every "(SUB(" becomes "(SUBSTRING(".
std::string PRZYGOTUJFILTR(std::string_view alias1, std::string_view alias2, std::string_view prefix2,
                           std::string_view prefix1, std::string_view text);

// The text (trailing blanks cut) with its first substring test INSTRING('needle',field,1,1) <> 0 rewritten
// as: field like '%needle%'. The result is the text before "INSTRING(" (at most 100 characters), the field
// (what follows the first comma of the test's arguments, at most 49 characters), the like condition with the
// needle (the arguments from their second character to the second before that comma, the quotes taken
// off, at most 49 characters) and the text after ",1,1) <> 0" (at most 100 characters). The arguments
// themselves count at most 100 characters. Only the first test is rewritten, and a needle containing a
// comma is cut at it. A text without "INSTRING(" followed somewhere by ",1,1) <> 0" comes back unchanged.
// With no comma among the arguments the field is all of them and the needle is empty; a comma before
// their fourth character gives an empty needle too.
std::string REPLACEINSTRINGNALIKE(std::string_view text);

// The sort text (trailing blanks cut) with each term "-" + alias rewritten as the term without its minus
// followed by " desc", first for alias2 and then for alias1; an alias that is empty once its trailing
// blanks are cut is skipped. Each rewrite rebuilds the text from the part before the minus (at most 100
// characters), the term with " desc" (at most 100) and the rest from the comma that ends the term on (at
// most 100; empty when no comma follows). A minus not followed by the alias stays.
std::string REPLACEMINUSNADESC(std::string_view alias1, std::string_view alias2, std::string_view text);

// The two conditions joined, both trimmed of trailing blanks: filter + " AND " + component, or the one
// that is not empty, or the empty text.
std::string DODAJKOMPONENTFILTRA(std::string_view component, std::string_view filter);

}  // namespace keldox

namespace keldox {

// The date cut-off condition on `field`: field + ">=" + the user parameter "DataOdPelnyZakres" (a day
// number) when it is above 0, otherwise blanks; always 50 characters.
std::string PODAJFILTRODCIECIA(std::string_view field);

}  // namespace keldox
