// Scalar server functions as SQLite application functions.
#include "server/functions.h"

#include <sqlite3.h>

#include <cctype>
#include <string>

#include "credit.h"
#include "db/procedures.h"
#include "runtime/text.h"
#include "table_functions.h"

namespace server {
namespace {

std::string text_arg(sqlite3_value* v) {
  const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
  return t ? std::string(t, static_cast<std::size_t>(sqlite3_value_bytes(v))) : std::string();
}

void result_text(sqlite3_context* ctx, const std::string& s) {
  sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

void bez_polskich_znakow(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  result_text(ctx, without_polish_letters(text_arg(argv[0])));
}

struct ObjectTable {
  const char* object;
  const char* table;
  const char* key;
};

constexpr ObjectTable kObjects[] = {
    {"ARTYKUL", "ARTYKUL", "ID_ARTYKULU"},
    {"KONTRAHENT", "KONTRAHENT", "ID_KONTRAHENTA"},
    {"DOKUMENT_HANDLOWY", "DOKUMENT_HANDLOWY", "ID_DOKUMENTU_HANDLOWEGO"},
    {"DOKUMENT_MAGAZYNOWY", "DOKUMENT_MAGAZYNOWY", "ID_DOK_MAGAZYNOWEGO"},
    {"POZYCJA_DOKUMENTU_MAGAZYNOWEGO", "POZYCJA_DOKUMENTU_MAGAZYNOWEGO", "ID_POZ_DOK_MAG"},
    {"DOKUMENT_FINANSOWY", "DOKUMENT_FINANSOWY", "ID_DOKUMENTU_FINANSOWEGO"},
    {"ROZRACHUNEK", "ROZRACHUNEK", "ID_ROZRACHUNKU"},
    {"ZAMOWIENIE", "ZAMOWIENIE", "ID_ZAMOWIENIA"},
    {"POZYCJA_ZAMOWIENIA", "POZYCJA_ZAMOWIENIA", "ID_POZYCJI_ZAMOWIENIA"},
    {"CRM_ZADANIE", "CRM_ZADANIE", "ID_ZADANIA"},
    {"ZLECENIE_PRODUKCYJNE", "ZLECENIE_PRODUKCYJNE", "ID_ZLECENIA"},
    {"POZYCJE_ZLECENIA", "POZYCJE_ZLECENIA", "ID_POZYCJI"},
    {"PRACOWNIK", "PRACOWNIK", "ID_PRACOWNIKA"},
    {"MOB_POZYCJA_TRASY", "MOB_POZYCJA_TRASY", "ID_POZYCJI_TRASY"},
    {"MOB_TRASA", "MOB_TRASA", "ID_TRASY"},
    {"MAGAZYN", "MAGAZYN", "ID_MAGAZYNU"},
    {"KATEGORIA_ARTYKULU", "KATEGORIA_ARTYKULU", "ID_KATEGORII"},
    {"SERWIS_URZADZENIE", "SERWIS_URZADZENIE", "ID_URZADZENIA"},
    {"SERWIS_ZLECENIE", "SERWIS_ZLECENIE", "ID_SERWIS_ZLECENIE"},
    {"SERWIS_POZYCJA_KOSZTORYSU", "SERWIS_POZYCJA_KOSZTORYSU", "ID_POZYCJI_KOSZTORYSU"},
};

// (object, field number 1..10, record id): the record's additional field, NULL when there is none.
void pole_dodatkowe(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const std::string text = text_arg(argv[0]);
  const std::string_view object = runtime::trim_left(text);
  const int n = sqlite3_value_int(argv[1]);
  const ObjectTable* found = nullptr;
  for (const ObjectTable& o : kObjects) {
    if (runtime::same_name(o.object, object)) found = &o;
  }
  if (!found || n < 1 || n > 10) return sqlite3_result_null(ctx);
  db::SqlLink link(sqlite3_context_db_handle(ctx));
  db::Status s;
  const auto value = link.scalar(
      "SELECT POLE" + std::to_string(n) + " FROM " + found->table + " WHERE " + found->key + " = ?",
      {db::Value::integer(sqlite3_value_int64(argv[2]))}, &s);
  if (!s.ok()) return sqlite3_result_error(ctx, s.text.c_str(), -1);
  if (!value) return sqlite3_result_null(ctx);
  result_text(ctx, *value);
}

// (NIP, second value, mode): the NIP in its EU form, the country prefix followed by digits only.
void podaj_nip(sqlite3_context* ctx, int, sqlite3_value** argv) {
  std::string prefix = runtime::to_upper(runtime::trim(text_arg(argv[1])));
  if (prefix.size() != 2 || prefix.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos)
    prefix = "PL";
  std::string digits;
  const std::string nip = runtime::to_upper(text_arg(argv[0]));
  std::size_t start = 0;
  if (nip.size() >= 2 && std::isalpha(static_cast<unsigned char>(nip[0])) &&
      std::isalpha(static_cast<unsigned char>(nip[1]))) {
    prefix = nip.substr(0, 2);
    start = 2;
  }
  for (std::size_t i = start; i < nip.size(); ++i) {
    if (std::isalnum(static_cast<unsigned char>(nip[i]))) digits += nip[i];
  }
  result_text(ctx, std::string(runtime::cut_to_width(prefix + digits, 20)));
}

// (operator, shipment number): the operator's tracking address with the number put in at "{numer}"
// (or appended), empty when the operator has no address.
void url_sledzenie(sqlite3_context* ctx, int, sqlite3_value** argv) {
  db::SqlLink link(sqlite3_context_db_handle(ctx));
  const auto url = link.scalar("SELECT URL_SLEDZENIE FROM MAG_OPERATOR_PRZESYLKI WHERE ID_OPERATORA = ?",
                               {db::Value::integer(sqlite3_value_int64(argv[0]))});
  std::string address = url ? std::string(runtime::trim(*url)) : std::string();
  if (!address.empty()) {
    // The number goes into an address: anything but the unreserved characters is percent-encoded.
    std::string number;
    const std::string given = text_arg(argv[1]);
    for (const char ch : runtime::trim(given)) {
      const auto byte = static_cast<unsigned char>(ch);
      if ((std::isalnum(byte) != 0 && byte < 0x80) || ch == '-' || ch == '.' || ch == '_' || ch == '~') {
        number.push_back(ch);
      } else {
        static constexpr char kHex[] = "0123456789ABCDEF";
        number += {'%', kHex[byte >> 4], kHex[byte & 15]};
      }
    }
    const auto at = address.find("{numer}");
    if (at == std::string::npos) {
      address += number;
    } else {
      address.replace(at, 7, number);
    }
  }
  result_text(ctx, std::string(runtime::cut_to_width(address, 300)));
}

// (article): the article's stock over every warehouse, as the decimal text of its quantity.
void stan_artykulu(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  db::SqlLink link(sqlite3_context_db_handle(ctx));
  const auto total =
      link.scalar("SELECT printf('%.4f', TOTAL(ILOSC)) FROM STAN_ARTYKULU WHERE ID_ARTYKULU = ?",
                  {db::Value::integer(sqlite3_value_int64(argv[0]))});
  result_text(ctx, total ? *total : std::string("0.0000"));
}

}  // namespace

std::string without_polish_letters(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kMap[] = {
      {"ą", 'a'}, {"ć", 'c'}, {"ę", 'e'}, {"ł", 'l'}, {"ń", 'n'}, {"ó", 'o'},
      {"ś", 's'}, {"ź", 'z'}, {"ż", 'z'}, {"Ą", 'A'}, {"Ć", 'C'}, {"Ę", 'E'},
      {"Ł", 'L'}, {"Ń", 'N'}, {"Ó", 'O'}, {"Ś", 'S'}, {"Ź", 'Z'}, {"Ż", 'Z'}};
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t len = runtime::utf8_char_length(text, pos);
    const std::string_view letter = text.substr(pos, len);
    char plain = 0;
    for (const auto& [polish, base] : kMap) {
      if (letter == polish) plain = base;
    }
    if (plain) {
      out += plain;
    } else {
      out += letter;
    }
    pos += len;
  }
  return out;
}

void register_functions(sqlite3* db) {
  detail::register_table_functions(db);
  detail::register_credit_functions(db);
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  sqlite3_create_function_v2(db, "AP_Func_BezPolskichZnakow", 1, flags | SQLITE_INNOCUOUS, nullptr,
                             bez_polskich_znakow, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "AP_FUNC_PoleDodatkowe", 3, SQLITE_UTF8 | SQLITE_INNOCUOUS, nullptr,
                             pole_dodatkowe, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "AP_Func_PodajNip", 3, flags | SQLITE_INNOCUOUS, nullptr, podaj_nip, nullptr,
                             nullptr, nullptr);
  sqlite3_create_function_v2(db, "AP_Func_StanArtykulu", 1, SQLITE_UTF8, nullptr, stan_artykulu, nullptr,
                             nullptr, nullptr);
  sqlite3_create_function_v2(db, "RM_Func_URL_SledzeniePrzesylki", 2, SQLITE_UTF8, nullptr, url_sledzenie,
                             nullptr, nullptr, nullptr);
}

}  // namespace server
