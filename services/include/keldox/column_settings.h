// The browse column layouts of the logged-in user: loading them into INI_BRO, INI_KOL_BRO and
// INI_PAR_OKNO, the browses' lookups of width and picture by position, and the record count of a browse.
//
// Browses of several window threads read the column lists at once: every lookup and change here holds the
// lists' mutex() (shared to read, exclusive to change), and loading builds the new lists aside and swaps
// them in under the exclusive lock. Window names compare with trailing blanks cut.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace keldox {

// (Re)loads INI_BRO (through the query bridge, else EXECSQL), GLO.ILOSCARTBEZPRZECINKA (user parameter
// "IloscArtBezPrzecinka"), INI_KOL_BRO (on VAX2, which is closed afterwards) and INI_PAR_OKNO (bridge,
// else EXECSQL) for GLO.ID_UZYTKOWNIKA. A classifier column whose field is not active gets width 0; a
// quantity column's picture follows the decimal setting (quantity_picture).
void LADUJUSTAWIENIAKOLUMN();

// The window's range of column numbers; both 0 for an unknown window.
void POBIERZZAKRESKOLUMNBROWSERA(std::string_view window, std::int32_t& first, std::int32_t& last);
// The user's width of the column at the user's position `position`; 0 when there is none or it is hidden.
std::int32_t POBIERZKOLUMNEROZMIAR(std::string_view window, std::int32_t position);
// Every column of the window as the user set it up, in the user's order: what a browse that opens asks of
// POBIERZKOLUMNEROZMIAR, and POBIERZKOLUMNEFORMAT position by position (and which catalogue column each
// position shows), in one look at the list. A hidden column has width 0.
struct UserColumn {
  std::int32_t position = 0;  // KOLEJNOSC
  std::int32_t number = 0;    // NUMER_KOLUMNY
  std::int32_t width = 0;
  std::string picture;
};
std::vector<UserColumn> user_columns(std::string_view window);
// The column's picture, empty when there is no column at that position.
std::string POBIERZKOLUMNEFORMAT(std::string_view window, std::int32_t position);
// Stores picture and width for the column at that position; false, changing nothing, when there is none.
bool USTAWKOLUMNE(std::string_view picture, std::int32_t position, std::string_view window,
                  std::int32_t width);

// A quantity column's picture as the decimal setting wants it. The numeric pictures "@n-14_@", "@n14_@",
// "@n-16_@" and "@n16_@" have a four-decimal form with a backquote and 4 before the closing "@"
// ("@n14_`4@"). Without decimals every four-decimal form becomes its integer form, otherwise every
// integer form becomes its four-decimal form; anything else in the picture stays.
std::string quantity_picture(std::string_view picture, bool without_decimals);

// The number of records that a browse statement selects: "select count(*) " + the upper-cased
// statement (its first 20,000 characters) from its first "FROM", cut before "ORDER BY" or the earliest
// browse position condition, through FUNCSQL. 0, with nothing sent, when there is no "FROM"; a failed
// count reads 0. `step`, when given (also without "FROM"), gets the paging step: 10 up to 1000 records, 100
// up to 10,000, 1000 up to 100,000, 10,000 above that or for a negative count.
std::int32_t POLICZREKORDYBROWSERA(std::string_view statement, std::int32_t* step = nullptr);

// The count statement POLICZREKORDYBROWSERA sends; empty when the statement has no "FROM".
std::string browse_count_statement(std::string_view statement);
// The paging step of a record count, as POLICZREKORDYBROWSERA gives it.
std::int32_t browse_step(std::int64_t count);

}  // namespace keldox
