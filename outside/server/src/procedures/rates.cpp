// Exchange rates: the import of a downloaded bank table, a rate stored by hand, whether a day has rates,
// the converter between two currencies and the recalculation of prices kept in a foreign currency.
#include <chrono>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "routines.h"
#include "runtime/date.h"
#include "runtime/decimal.h"
#include "runtime/text.h"

namespace server::detail {
namespace {

using runtime::Decimal;

const Decimal kSixPlaces = Decimal::from_units(1, 6);
const Decimal kTwoPlaces = Decimal::from_units(1, 2);

// The server's clock now, in hundredths of a second since midnight (local time).
std::int64_t clock_now() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto hundredths =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000 / 10;
  return (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) * 100 + hundredths;
}

std::int64_t cell_int(std::string_view cell) {
  return to_int(std::string(cell));
}

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    out.emplace_back(
        text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return out;
}

// A positive rate read with a point or a comma; none for anything else.
std::optional<Decimal> positive_rate(std::string_view text) {
  const Decimal d = Decimal::parse(runtime::trim(text));
  if (!d.ok() || d.sign() <= 0) return std::nullopt;
  return d;
}

struct Known {
  std::int64_t multiplier = 1;
  bool base = false;
};

struct TableRate {
  std::string code;
  Decimal buying, selling, middle;
};

// The import text of the utility module (its layout is documented there): the day and the rates per
// the currency's multiplier, in the base currency. ECB rates (units per euro) become the base currency's
// price of each currency through the base currency's own euro rate.
db::Status import_table(db::ProcedureCall& call, std::string_view bank, std::int64_t source) {
  const std::string failure = "Tekst nie jest tabelą kursów banku " + std::string(bank) + ".";
  std::string text = call.text_arg(0);
  std::erase(text, '\r');
  const std::vector<std::string> lines = split(text, '\n');
  const std::vector<std::string> head = split(lines.front(), ';');
  if (head.size() < 3 || head[0] != "KURSY" || head[1] != bank) return db::Status::statement_failed(failure);
  const std::string& iso = head[2];
  const auto number = [&](std::size_t at, std::size_t n) { return to_int(iso.substr(at, n)); };
  if (iso.size() != 10) return db::Status::statement_failed(failure);
  const std::chrono::year_month_day ymd{std::chrono::year(static_cast<int>(number(0, 4))),
                                        std::chrono::month(static_cast<unsigned>(number(5, 2))),
                                        std::chrono::day(static_cast<unsigned>(number(8, 2)))};
  if (!ymd.ok()) return db::Status::statement_failed(failure);
  const std::int64_t day = runtime::from_ymd(ymd);

  db::ResultSet currencies;
  db::Status s = call.db.query("SELECT SYM_WALUTY, MNOZNIK_WALUTY, NUMER FROM WALUTY", {}, currencies);
  if (!s.ok()) return s;
  std::map<std::string, Known> known;
  std::string base;
  for (std::size_t r = 0; r < currencies.rows(); ++r) {
    const std::string code = runtime::to_upper(runtime::trim(currencies.cell(r, 0)));
    const bool is_base = cell_int(currencies.cell(r, 2)) == 1;
    known[code] = Known{std::max<std::int64_t>(1, cell_int(currencies.cell(r, 1))), is_base};
    if (is_base) base = code;
  }

  // Rates as published, per one unit.
  std::vector<std::pair<std::string, std::vector<std::optional<Decimal>>>> published;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (runtime::trim(lines[i]).empty()) continue;
    std::vector<std::string> f = split(lines[i], ';');
    if (f.size() < 2) return db::Status::statement_failed(failure);
    f.resize(4);
    published.push_back({runtime::to_upper(runtime::trim(f[0])),
                         {positive_rate(f[1]), positive_rate(f[2]), positive_rate(f[3])}});
  }

  std::optional<Decimal> base_per_euro;  // ECB: units of the base currency for one euro
  if (source == -1) {
    if (base == "EUR") base_per_euro = Decimal::whole(1);
    for (const auto& [code, r] : published)
      if (code == base) base_per_euro = r[0];
    if (!base_per_euro)
      return db::Status::statement_failed("Tabela kursów banku ECB nie zawiera waluty bazowej " + base + ".");
    published.push_back({"EUR", {Decimal::whole(1), std::nullopt, std::nullopt}});
  }

  std::vector<TableRate> rates;
  std::vector<std::string> skipped;
  for (const auto& [code, r] : published) {
    const auto found = known.find(code);
    if (found == known.end()) {
      if (!(source == -1 && code == "EUR")) skipped.push_back(code);
      continue;
    }
    if (found->second.base) continue;
    const Decimal multiplier = Decimal::whole(found->second.multiplier);
    TableRate t;
    t.code = code;
    if (source == -1) {
      if (!r[0]) continue;
      t.middle = divide_rounded(*base_per_euro * multiplier, *r[0], kSixPlaces);
      t.buying = t.selling = t.middle;
    } else {
      const std::optional<Decimal> middle =
          r[0] ? r[0]
               : (r[1] && r[2] ? std::optional<Decimal>(divide_rounded(*r[1] + *r[2], Decimal::whole(2),
                                                                       Decimal::from_units(1, 8)))
                               : std::nullopt);
      if (!middle) continue;
      t.middle = multiply_rounded(*middle, multiplier, kSixPlaces);
      t.buying = r[1] ? multiply_rounded(*r[1], multiplier, kSixPlaces) : t.middle;
      t.selling = r[2] ? multiply_rounded(*r[2], multiplier, kSixPlaces) : t.middle;
    }
    if (!t.middle.ok() || !t.buying.ok() || !t.selling.ok() || t.middle.is_zero())
      return db::Status::statement_failed(failure);
    rates.push_back(std::move(t));
  }

  int added = 0;
  if (!rates.empty()) {
    s = call.db.exec(
        "INSERT INTO DATY_KURSOW (ID_BANKU, DATA_NOT, GODZ_NOT) VALUES (?1, ?2, ?3) "
        "ON CONFLICT (ID_BANKU, DATA_NOT) DO NOTHING",
        {db::Value::integer(source), db::Value::integer(day), db::Value::integer(clock_now())});
    if (!s.ok()) return s;
    const auto id = call.db.scalar("SELECT ID_DATY FROM DATY_KURSOW WHERE ID_BANKU = ? AND DATA_NOT = ?",
                                   {db::Value::integer(source), db::Value::integer(day)}, &s);
    if (!id) return s.ok() ? db::Status::statement_failed("Nie zapisano daty kursu.") : s;
    for (const TableRate& t : rates) {
      s = call.db.exec(
          "INSERT INTO KURSY_WALUT (ID_DATY, SYM_WALUTY, KURS_ZAKUPU, KURS_SPRZEDAZY, KURS_SREDNI) "
          "VALUES (?1, ?2, ?3, ?4, ?5) ON CONFLICT (ID_DATY, SYM_WALUTY) DO NOTHING",
          {db::Value::integer(to_int(*id)), db::Value::text(t.code), db::Value::decimal(t.buying.to_text()),
           db::Value::decimal(t.selling.to_text()), db::Value::decimal(t.middle.to_text())});
      if (!s.ok()) return s;
      added += call.db.changes();
    }
  }

  std::string message;
  if (added == 0)
    message = "Tabela kursów banku " + std::string(bank) + " z dnia " + runtime::short_date_text(day) +
              " była już zaimportowana.";
  if (!skipped.empty()) {
    std::string list;
    for (const std::string& code : skipped) list += (list.empty() ? "" : ", ") + code;
    message += (message.empty() ? "" : "|") + std::string("Pominięto waluty nieznane w bazie: ") + list + ".";
  }
  call.result.set_columns(2);
  call.result.add_row({std::to_string(day), message});
  return db::Status::success();
}

db::Status import_nbp(db::ProcedureCall& call) {
  return import_table(call, "NBP", 0);
}
db::Status import_ecb(db::ProcedureCall& call) {
  return import_table(call, "ECB", -1);
}

// (day, clock, currency, rate, source): stores or replaces the currency's rate of that day and source.
db::Status update_rate(db::ProcedureCall& call) {
  const db::Value day = db::Value::integer(call.int_arg(0));
  const db::Value source = db::Value::integer(call.int_arg(4));
  const std::string currency = runtime::to_upper(runtime::trim(call.text_arg(2)));
  const std::optional<Decimal> rate = positive_rate(call.text_arg(3));
  if (!rate) return db::Status::statement_failed("Kurs waluty musi być większy od zera.");
  if (!call.db.scalar("SELECT 1 FROM WALUTY WHERE SYM_WALUTY = ?", {db::Value::text(currency)}))
    return db::Status::statement_failed("Nie ma waluty " + currency + ".");
  db::Status s = call.db.exec(
      "INSERT INTO DATY_KURSOW (ID_BANKU, DATA_NOT, GODZ_NOT) VALUES (?1, ?2, ?3) "
      "ON CONFLICT (ID_BANKU, DATA_NOT) DO UPDATE SET GODZ_NOT = excluded.GODZ_NOT",
      {source, day, db::Value::integer(call.int_arg(1))});
  if (!s.ok()) return s;
  const auto id =
      call.db.scalar("SELECT ID_DATY FROM DATY_KURSOW WHERE ID_BANKU = ? AND DATA_NOT = ?", {source, day});
  if (!id) return db::Status::statement_failed("Nie zapisano daty kursu.");
  const db::Value value = db::Value::decimal(rate->fitted(15, 6).to_text());
  return call.db.exec(
      "INSERT INTO KURSY_WALUT (ID_DATY, SYM_WALUTY, KURS_ZAKUPU, KURS_SPRZEDAZY, KURS_SREDNI) VALUES (?1, "
      "?2, ?3, ?3, ?3) "
      "ON CONFLICT (ID_DATY, SYM_WALUTY) DO UPDATE SET KURS_ZAKUPU = ?3, KURS_SPRZEDAZY = ?3, KURS_SREDNI = "
      "?3",
      {db::Value::integer(to_int(*id)), db::Value::text(currency), value});
}

// (day, source): one row, the number of rates quoted on that day by that source (-2, the user's own
// table, counts every source).
db::Status has_rates(db::ProcedureCall& call) {
  if (call.int_arg(1) == -2)
    return call.db.query(
        "SELECT COUNT(*) FROM KURSY_WALUT k JOIN DATY_KURSOW d ON d.ID_DATY = k.ID_DATY WHERE d.DATA_NOT = ?",
        {db::Value::integer(call.int_arg(0))}, call.result);
  return call.db.query(
      "SELECT COUNT(*) FROM KURSY_WALUT k JOIN DATY_KURSOW d ON d.ID_DATY = k.ID_DATY WHERE d.DATA_NOT = ? "
      "AND d.ID_BANKU = ?",
      {db::Value::integer(call.int_arg(0)), db::Value::integer(call.int_arg(1))}, call.result);
}

// The price of `multiplier` units of the currency in the base currency on the day (the latest quotation
// up to it): the base currency itself is 1 per 1.
struct Quoted {
  Decimal rate;
  Decimal multiplier;
};
std::optional<Quoted> quoted(db::SqlLink& db, const std::string& currency, std::int64_t day,
                             std::int64_t source) {
  db::ResultSet r;
  if (!db.query("SELECT MNOZNIK_WALUTY, NUMER FROM WALUTY WHERE SYM_WALUTY = ?", {db::Value::text(currency)},
                r)
           .ok() ||
      r.rows() == 0)
    return std::nullopt;
  if (cell_int(r.cell(0, 1)) == 1) return Quoted{Decimal::whole(1), Decimal::whole(1)};
  const Decimal multiplier = Decimal::whole(std::max<std::int64_t>(1, cell_int(r.cell(0, 0))));
  const auto rate = db.scalar(
      "SELECT printf('%.6f', k.KURS_SREDNI) FROM DATY_KURSOW d JOIN KURSY_WALUT k ON k.ID_DATY = d.ID_DATY "
      "AND k.SYM_WALUTY = ? WHERE d.ID_BANKU = ? AND d.DATA_NOT <= ? ORDER BY d.DATA_NOT DESC LIMIT 1",
      {db::Value::text(currency), db::Value::integer(source), db::Value::integer(day)});
  if (!rate) return std::nullopt;
  const std::optional<Decimal> value = positive_rate(*rate);
  if (!value) return std::nullopt;
  return Quoted{*value, multiplier};
}

// (currency 1, currency 2, day, source): one row with the converter from currency 1 to currency 2
// (to the base currency when currency 2 is empty), six places; no row when a rate is missing.
db::Status give_rate(db::ProcedureCall& call) {
  const std::string from = runtime::to_upper(runtime::trim(call.text_arg(0)));
  const std::string to = runtime::to_upper(runtime::trim(call.text_arg(1)));
  call.result.set_columns(1);
  const auto a = quoted(call.db, from, call.int_arg(2), call.int_arg(3));
  if (!a) return db::Status::success();
  const auto b = to.empty() ? std::optional<Quoted>(Quoted{Decimal::whole(1), Decimal::whole(1)})
                            : quoted(call.db, to, call.int_arg(2), call.int_arg(3));
  if (!b) return db::Status::success();
  // (a.rate / a.multiplier) / (b.rate / b.multiplier), rounded once.
  const Decimal converter = divide_rounded(a->rate * b->multiplier, a->multiplier * b->rate, kSixPlaces);
  if (converter.ok()) call.result.add_row({converter.to_text()});
  return db::Status::success();
}

// (day, purchase prices "Tak"/"Nie", algorithm): every net selling price kept in a foreign currency
// becomes that price at the day's NBP middle rate (rounded to 0.01), the gross price following at the
// row's own gross-to-net ratio. The stand-in holds no purchase prices, so the other two arguments only
// have to be texts.
db::Status recalculate_prices(db::ProcedureCall& call) {
  db::ResultSet rows;
  db::Status s = call.db.query(
      "SELECT ROWID, SYM_WALUTY, printf('%.2f', CENA_WALUTOWA), printf('%.2f', CENA_NETTO), "
      "printf('%.2f', CENA_BRUTTO) FROM CENA_ARTYKULU WHERE SYM_WALUTY IS NOT NULL AND SYM_WALUTY <> '' "
      "AND CENA_WALUTOWA IS NOT NULL",
      {}, rows);
  if (!s.ok()) return s;
  for (std::size_t i = 0; i < rows.rows(); ++i) {
    const std::string currency = runtime::to_upper(runtime::trim(rows.cell(i, 1)));
    const auto q = quoted(call.db, currency, call.int_arg(0), 0);
    if (!q) return db::Status::statement_failed("Brak kursu waluty " + currency + ".");
    const Decimal price = Decimal::parse(rows.cell(i, 2));
    const Decimal net = divide_rounded(price * q->rate, q->multiplier, kTwoPlaces);
    const Decimal old_net = Decimal::parse(rows.cell(i, 3));
    const Decimal old_gross = Decimal::parse(rows.cell(i, 4));
    const Decimal gross = old_net.ok() && old_gross.ok() && old_net.sign() > 0
                              ? divide_rounded(net * old_gross, old_net, kTwoPlaces)
                              : net;
    if (!net.ok() || !gross.ok()) return db::Status::statement_failed("Cena poza zakresem.");
    s = call.db.exec("UPDATE CENA_ARTYKULU SET CENA_NETTO = ?, CENA_BRUTTO = ? WHERE ROWID = ?",
                     {db::Value::decimal(net.to_text()), db::Value::decimal(gross.to_text()),
                      db::Value::integer(cell_int(rows.cell(i, 0)))});
    if (!s.ok()) return s;
  }
  return db::Status::success();
}

}  // namespace

void add_rate_procedures(db::ProcedureRegistry& r) {
  r.add("AP_AktualizujKursWaluty", 5, 5, update_rate);
  r.add("AP_Czy_SaKursyWalut", 2, 2, has_rates);
  r.add("AP_PobierzKursWaluty", 4, 4, give_rate);
  r.add("AP_PrzeliczCenyArtykulow", 3, 3, recalculate_prices);
  r.add("KS_ImportKusowWalutNBP", 1, 1, import_nbp);
  r.add("KS_ImportKusowWalutECB", 1, 1, import_ecb);
}

}  // namespace server::detail
