// Record marks kept in the database per user (GLO.ID_UZYTKOWNIKA) and use code: single marks and the count
// on the marking channel VAXZAZ, whole-set marking and inversion as set statements on the main channel and
// in the statement window.
//
// Whole-set operations of one user and list are serialised across sessions by a lock on the server
// (JL_ZaznaczoneBlokuj / JL_ZaznaczoneZwolnij around their statements): two sessions of one user that mark
// all or invert the same list at once give the result of the two operations one after the other.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dane {
class Window;
}

namespace keldox {

void ZAZNACZSQL(std::int32_t use, double id, double id2 = 0);
void ODZNACZSQL(std::int32_t use, double id);
void ODZNACZALLSQL(std::int32_t use);
// Both answer the fresh count of the list's marks.
std::int32_t ZAZNACZALLSQL(std::int32_t use, std::string_view id_expression,
                           std::string_view browse_statement);
std::int32_t INWERSJASQL(std::int32_t use, std::string_view id_expression, std::string_view browse_statement);
std::int32_t ILEZAZNACZONYCH(std::int32_t use);
// The marking button: its tooltip "Ilość zaznaczonych <noun> : <count>[/<total>]" and its icon.
void DISPLAYZAZNACZONE(dane::Window& window, std::string_view control, std::int32_t count,
                       std::string_view noun, std::int32_t total = 0);
std::uint8_t ZACHOWAJ_ZORVA_ZAZNACZONE(std::int32_t first, std::int32_t second);
std::uint8_t PRZYWROC_ZORVA_ZAZNACZONE(std::int32_t first, std::int32_t second);

// The FROM part of a browse statement: upper-cased, cut before "ORDER BY" and before the browse's paging
// conditions, from the first "FROM" on; empty when there is no "FROM".
std::string marking_from_part(std::string_view browse_statement);

}  // namespace keldox
