// The access conditions of the document lists, built once per session from the user's grants.
#include "start/access_filters.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_access.h"
#include "dane/record_fields.h"
#include "keldox/messages.h"
#include "keldox/permissions.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"

namespace start {
namespace {

using dane::GLO;
using keldox::POBIERZUPRAWNIENIE;

constexpr std::uint8_t kNone = 0;
constexpr std::uint8_t kFull = 1;
const std::string kNoAccess = "1=0";

// What the conditions are built from; a refused query ends the build: no further query is sent.
struct Build {
  bool refused = false;
  std::string company = keldox::sql_id(GLO.ID_FIRMY);
  std::string user = keldox::sql_id(GLO.ID_UZYTKOWNIKA);
  std::int32_t warehouse = static_cast<std::int32_t>(GLO.ID_MAGAZYNU);

  // The rows of a statement, each as its column texts; empty after a refusal, which is then shown.
  std::vector<std::vector<std::string>> rows(const std::string& statement, std::size_t columns) {
    std::vector<std::vector<std::string>> out;
    if (refused) return out;
    keldox::EXECSQL(statement);
    if (const db::Status s = dane::database().last_error(); !s.ok()) {
      refused = true;
      keldox::MSG_OSTRZEZENIE(s.text);
      return out;
    }
    while (keldox::next_row()) {
      std::vector<std::string> row;
      for (std::size_t n = 1; n <= columns; ++n) row.push_back(keldox::column(n));
      out.push_back(std::move(row));
    }
    return out;
  }
};

std::int32_t id_of(const std::string& text) {
  std::int32_t id = 0;
  dane::assign_from_text(id, text);
  return id;
}

bool owner_flag(std::string_view code) {
  return keldox::POBIERZFLAGEUPRAWNIENIA(code).contains("W");
}
bool owner_flag_first(std::string_view code) {
  return keldox::POBIERZFLAGEUPRAWNIENIA(code).view().starts_with("W");
}

std::string joined(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : ",") + item;
  return out;
}

// The owner mark of the codes whose flag "W" limits the user to his own documents.
std::string with_owner(std::string condition, std::string_view code, const Build& b) {
  if (!owner_flag(code)) return condition;
  if (condition.empty()) return "a.id_uzytkownika = " + b.user;
  if (condition == kNoAccess) return condition;
  return condition + " and a.id_uzytkownika = " + b.user;
}

// Granted among all: none closes the area, all leaves it open, else the listed ones (in ascending order:
// the statements read them in no particular one).
std::string listed(std::vector<std::int32_t> granted, std::size_t total, const std::string& column) {
  if (granted.empty()) return kNoAccess;
  if (granted.size() == total) return "";
  std::sort(granted.begin(), granted.end());
  std::vector<std::string> texts;
  for (std::int32_t id : granted) texts.push_back(std::to_string(id));
  return column + " in (" + joined(texts) + ")";
}

std::string warehouse_documents(Build& b) {
  const std::string_view code = "ODokMag";
  const std::uint8_t company = POBIERZUPRAWNIENIE(code, 0);
  if (company == kNone) return kNoAccess;
  if (company == kFull) return "";
  std::string condition;
  const std::uint8_t here = POBIERZUPRAWNIENIE(code);
  if (here == kNone) {
    condition = kNoAccess;
  } else if (here != kFull) {
    const auto types =
        b.rows("select id_typu from typ_dokumentu_magazynowego  with (nolock) where id_firmy=" + b.company +
                   " and rodzaj not in ('Zamówienie','Zlecenie')",
               1);
    std::vector<std::int32_t> granted;
    for (const auto& row : types) {
      const std::int32_t type = id_of(row[0]);
      if (POBIERZUPRAWNIENIE(code, b.warehouse, type) == kFull) granted.push_back(type);
    }
    condition = listed(granted, types.size(), "a.id_typu");
  }
  return with_owner(condition, code, b);
}

std::string orders(Build& b) {
  const std::string_view code = "OZam";
  const std::uint8_t company = POBIERZUPRAWNIENIE(code, 0);
  if (company == kNone) return kNoAccess;
  if (company == kFull) return "";
  std::string condition;
  const std::uint8_t here = POBIERZUPRAWNIENIE(code);
  if (here == kNone) {
    condition = kNoAccess;
  } else if (here != kFull) {
    const auto types = b.rows(
        "select id_typu, sygnatura from typ_dokumentu_magazynowego with (nolock) where "
        "id_firmy=" +
            b.company + " and rodzaj ='Zamówienie'",
        2);
    std::vector<std::string> granted;
    std::size_t granted_types = 0;
    std::string kind;
    for (const auto& row : types) {
      const std::string_view signature = runtime::trim_right(row[1]);
      if (signature == "ZO") kind = "'od odbiorcy'";
      if (signature == "ZD") kind = "'do dostawcy'";
      if (POBIERZUPRAWNIENIE(code, b.warehouse, id_of(row[0])) != kFull) continue;
      ++granted_types;
      // A type before any known signature names no kind of order: it can grant none.
      if (!kind.empty()) granted.push_back(kind);
    }
    if (granted.empty()) {
      condition = kNoAccess;
    } else if (granted_types == types.size()) {
      condition = "";
    } else {
      condition = "a.typ in (" + joined(granted) + ")";
    }
  }
  return with_owner(condition, code, b);
}

// Production orders and trade documents: full warehouses, and single types in limited ones.
struct PerWarehouse {
  std::string_view code;
  std::string statement;
  // The term of one type in one warehouse (w: warehouse, t: type, signature).
  std::string (*term)(const std::string& w, const std::string& t, std::string_view signature);
  std::size_t columns;
};

std::string per_warehouse(Build& b, const PerWarehouse& area) {
  const std::uint8_t company = POBIERZUPRAWNIENIE(area.code, 0);
  if (company == kNone) return kNoAccess;
  if (company == kFull) return "";
  std::string condition = "0=1";
  std::size_t warehouses = 0;
  std::size_t full = 0;
  std::string current;
  std::uint8_t warehouse_access = kNone;
  for (const auto& row : b.rows(area.statement, area.columns)) {
    const std::int32_t w = id_of(row[0]);
    const std::int32_t t = id_of(row[1]);
    if (row[0] != current || warehouses == 0) {
      current = row[0];
      ++warehouses;
      warehouse_access = POBIERZUPRAWNIENIE(area.code, w);
      if (warehouse_access == kFull) {
        ++full;
        condition += " or a.id_magazynu = " + std::to_string(w);
      }
    }
    if (warehouse_access == 2 && POBIERZUPRAWNIENIE(area.code, w, t) == kFull)
      condition += area.term(std::to_string(w), std::to_string(t), row.size() > 2 ? row[2] : "");
  }
  if (full == warehouses) condition.clear();
  if (!condition.empty()) condition = "(" + condition + ")";
  if (owner_flag(area.code)) {
    condition =
        condition.empty() ? "a.id_uzytkownika = " + b.user : condition + " and a.id_uzytkownika = " + b.user;
  }
  return condition;
}

std::string production_term(const std::string& w, const std::string&, std::string_view signature) {
  const char* kind = runtime::trim_right(signature) == "ZLM" ? "'Montaż'" : "'Demontaż'";
  return " or a.id_magazynu = " + w + " and a.rodzaj_zlecenia = " + kind;
}

std::string trade_term(const std::string& w, const std::string& t, std::string_view) {
  return " or a.id_magazynu = " + w + " and a.id_typu = " + t;
}

// One part of the financial condition: cash desks or bank accounts.
struct FinancialPart {
  std::string text = kNoAccess;
  bool per_object = false;  // built desk by desk (account by account)
  bool all_full = false;    // and every one of them fully granted
};

FinancialPart financial_part(Build& b, std::string_view code, char kind, const std::string& statement) {
  FinancialPart part;
  const std::uint8_t company = POBIERZUPRAWNIENIE(code, 0);
  if (company == kFull) {
    part.text = std::string("a.rodzaj_operacji='") + kind + "'";
  } else if (company == kNone) {
    part.text = std::string("a.rodzaj_operacji<>'") + kind + "'";
  } else {
    part.per_object = true;
    std::size_t objects = 0;
    std::size_t full = 0;
    std::string current;
    std::uint8_t object_access = kNone;
    for (const auto& row : b.rows(statement, 2)) {
      const std::int32_t object = id_of(row[0]);
      if (row[0] != current || objects == 0) {
        current = row[0];
        ++objects;
        object_access = POBIERZUPRAWNIENIE(code, object);
        if (object_access == kFull) ++full;
      }
      const std::int32_t type = id_of(row[1]);
      if (object_access == kFull || (object_access == 2 && POBIERZUPRAWNIENIE(code, object, type) == kFull))
        part.text +=
            " or a.id_rachunku_kasy=" + std::to_string(object) + " and a.id_typu=" + std::to_string(type);
    }
    part.all_full = objects == full;
    if (part.text != kNoAccess) part.text = part.text.substr(7);
  }
  return part;
}

std::string financial_documents(Build& b) {
  const std::string_view cash = "ODokFinKas";
  const std::string_view bank = "ODokFinBan";
  const std::string_view other = "ODokFinPoz";
  const std::uint8_t cash0 = POBIERZUPRAWNIENIE(cash, 0);
  const std::uint8_t bank0 = POBIERZUPRAWNIENIE(bank, 0);
  const std::uint8_t other0 = POBIERZUPRAWNIENIE(other, 0);
  if (cash0 == kFull && bank0 == kFull && other0 == kFull) return "";
  if (cash0 == kNone && bank0 == kNone && other0 == kNone) return kNoAccess;

  FinancialPart k = financial_part(b, cash, 'k',
                                   "select k.id_kasy, t.id_typu from kasy_firmy k with (nolock), "
                                   "typ_dokumentu_finansowego t with (nolock) "
                                   "where k.id_firmy=" +
                                       b.company + " and t.ID_FIRMY=" + b.company +
                                       " and t.sygnatura in ('KP','KW','RK') order by k.id_kasy, t.id_typu");
  FinancialPart bk = financial_part(
      b, bank, 'b',
      "select r.id_rachunku, t.id_typu from rachunek_firmy r with (nolock), typ_dokumentu_finansowego t with "
      "(nolock) where r.id_firmy=" +
          b.company + " and t.ID_FIRMY=" + b.company +
          " and t.sygnatura in ('BP','BW','PO','PW','WB') order by r.id_rachunku, t.id_typu");

  std::string o = kNoAccess;
  if (other0 != kNone) {
    for (const auto& row : b.rows("select t.id_typu from  typ_dokumentu_finansowego t with (nolock) where  "
                                  "t.ID_FIRMY=" +
                                      b.company + " and t.sygnatura in ('K','IY','IW') order by t.id_typu",
                                  1))
      o += " or a.id_typu = " + std::to_string(id_of(row[0]));
    if (o != kNoAccess) o = o.substr(7);
    if (owner_flag_first(other)) o = "(" + o + ") and a.id_uzytkownika = " + b.user;
  }

  const bool cash_own = owner_flag_first(cash);
  const bool bank_own = owner_flag_first(bank);
  // Every desk and every account fully granted: only the owner mark can remain. The other documents
  // must then be granted alike, or the empty condition would open them too.
  if (k.per_object && k.all_full && bk.per_object && bk.all_full && cash_own == bank_own && other0 != kNone &&
      owner_flag_first(other) == cash_own)
    return cash_own ? "a.id_uzytkownika = " + b.user : "";

  if (cash_own && !owner_flag(bank)) k.text = "(" + k.text + ") and a.id_uzytkownika = " + b.user;
  if (bank_own && !owner_flag(cash)) bk.text = "(" + bk.text + ") and a.id_uzytkownika = " + b.user;
  const bool k_real = k.text != kNoAccess;
  const bool b_real = bk.text != kNoAccess;
  std::string condition;
  if (!k_real && !b_real) {
    condition = kNoAccess;
  } else if (!b_real) {
    condition = "(" + k.text + ")";
  } else if (!k_real) {
    condition = "(" + bk.text + ")";
  } else if (bk.text == "a.rodzaj_operacji<>'b'") {
    condition = "((" + k.text + ") and (" + bk.text + "))";
  } else {
    condition = "((" + k.text + ") or (" + bk.text + "))";
  }
  if (o != kNoAccess) {
    if (condition.empty()) condition = "1=1";
    condition = "((" + condition + ") or (" + o + "))";
  }
  if (bank_own && cash_own) condition += " and a.id_uzytkownika = " + b.user;
  return condition;
}

std::string settlements(Build& b) {
  const std::string_view code = "ORozr";
  const std::uint8_t company = POBIERZUPRAWNIENIE(code, 0);
  if (company == kNone) return kNoAccess;
  if (company == kFull) return "";
  const auto warehouses =
      b.rows("select id_magazynu from magazyn with (nolock) where id_firmy=" + b.company, 1);
  std::vector<std::int32_t> granted;
  for (const auto& row : warehouses) {
    const std::int32_t w = id_of(row[0]);
    if (POBIERZUPRAWNIENIE(code, w) == kFull) granted.push_back(w);
  }
  std::string condition = listed(granted, warehouses.size(), "a.id_magazynu");
  if (!condition.empty()) condition = "(" + condition + " or a.id_magazynu is null)";
  if (owner_flag(code))
    condition =
        condition.empty() ? "a.id_uzytkownika = " + b.user : condition + " and a.id_uzytkownika = " + b.user;
  return condition;
}

std::string general_only(std::string_view code, const Build& b) {
  const std::uint8_t company = POBIERZUPRAWNIENIE(code, 0);
  if (company == kNone) return kNoAccess;
  if (company == kFull) return "";
  return with_owner(POBIERZUPRAWNIENIE(code) == kNone ? kNoAccess : "", code, b);
}

// A condition that does not fit its field closes the area: cut, it would be broken, or wrong when the
// cut falls inside a number.
template <std::size_t W>
void store(runtime::FixedText<W>& field, const std::string& condition) {
  field = runtime::char_count(condition) <= W ? condition : kNoAccess;
}

}  // namespace

void USTAWFILTRYDOSTEPU() {
  dane::FiltryDostepu& f = dane::FILTRYDOSTEPU;
  f = dane::FiltryDostepu{};
  Build b;
  const std::string warehouse = warehouse_documents(b);
  const std::string order = orders(b);
  const std::string production =
      per_warehouse(b, {"OProd",
                        "select m.id_magazynu,t.id_typu,t.sygnatura from magazyn m with (nolock), "
                        "typ_dokumentu_magazynowego t "
                        "with (nolock) where m.id_firmy=" +
                            b.company + " and t.ID_FIRMY=" + b.company +
                            "and t.rodzaj ='Zlecenie' order by m.id_magazynu, t.id_typu",
                        production_term, 3});
  const std::string trade =
      per_warehouse(b, {"ODokHandl",
                        "select m.id_magazynu, t.id_typu from magazyn m with (nolock), "
                        "typ_dokumentu_handlowego t with (nolock) "
                        "where m.id_firmy=" +
                            b.company + " and t.ID_FIRMY=" + b.company + " order by m.id_magazynu, t.id_typu",
                        trade_term, 2});
  const std::string financial = financial_documents(b);
  const std::string settlement = settlements(b);
  const std::string crm = general_only("OCrm", b);
  const std::string service = general_only("SerwisZlecO", b);
  keldox::CLOSESQL();
  if (b.refused) {
    // The session ends; until it has, no list shows what the user may not see.
    f = dane::FiltryDostepu{};
    for (auto* field :
         {&f.DOKUMENTY_MAGAZYNOWE, &f.DOKUMENTY_HANDLOWE, &f.DOKUMENTY_FINANSOWE, &f.ZAMOWIENIA})
      *field = kNoAccess;
    f.ZLECENIA_PRODUKCYJNE = kNoAccess;
    f.ROZRACHUNKI = kNoAccess;
    f.CRM = kNoAccess;
    f.ZLECENIA_SERWISOWE = kNoAccess;
    GLO.WYJDZ_Z_HALTEM = 1;
    return;
  }
  store(f.DOKUMENTY_MAGAZYNOWE, warehouse);
  store(f.DOKUMENTY_HANDLOWE, trade);
  store(f.DOKUMENTY_FINANSOWE, financial);
  store(f.ZAMOWIENIA, order);
  store(f.ZLECENIA_PRODUKCYJNE, production);
  store(f.ROZRACHUNKI, settlement);
  store(f.CRM, crm);
  store(f.ZLECENIA_SERWISOWE, service);
}

}  // namespace start
