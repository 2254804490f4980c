// Demo data: payers of company 1 in each credit blocking mode, with open settlements (some long overdue,
// some due far ahead, so that what is overdue does not depend on the day the demo is used), a trade
// document on credit for each and stock issues not yet invoiced.
#include <string>

#include "insert.h"
#include "parts.h"

namespace server::demo {

void add_credit(Context& c) {
  struct Payer {
    std::int64_t id;
    const char* name;
    int mode;
    const char* limit;
    int days_after_due;
    const char* nip;
  };
  constexpr Payer kPayers[] = {
      {900001, "Kiosk Pod Zegarem", 0, "0", 0, "5260250216"},
      {900002, "Hurtownia Zablokowana Sp. z o.o.", 1, "50000", 0, "5260250222"},
      {900003, "Sklep Spożywczy O'Hara", 2, "20000", 14, "5260250239"},
      {900004, "Delikatesy Pod Limitem", 3, "10000", 0, "5260250245"},
      {900005, "Market Na Granicy S.A.", 4, "20000", 0, "5260250251"},
  };
  Insert kontrahent(c.db, "KONTRAHENT",
                    "ID_KONTRAHENTA, ID_FIRMY, NUMER, NAZWA, NAZWA_PELNA, NIP, LIMIT_KUPIECKI, BLOKOWANIE, "
                    "DNI_PO_TERMINIE, ODBIORCA",
                    c.status);
  for (const Payer& p : kPayers) {
    kontrahent.row({I(p.id), I(1), I(p.id), T(p.name), T(p.name), T(p.nip), D(p.limit), I(p.mode),
                    I(p.days_after_due), I(1)});
  }
  const std::int64_t long_ago = day_number(2025, 3, 31);
  const std::int64_t far_ahead = day_number(2099, 12, 31);
  struct Settlement {
    std::int64_t payer;
    const char* number;
    const char* amount;
    const char* left;
    std::int64_t due;
  };
  const Settlement settlements[] = {
      {900003, "FV/2025/03/117", "3200.00", "1250.40", long_ago},
      {900003, "FV/2026/11/044", "900.00", "900.00", far_ahead},
      {900004, "FV/2025/03/201", "6000.00", "4000.00", long_ago},
      {900004, "FV/2026/11/050", "2500.00", "2500.00", far_ahead},
      {900004, "KFZ/2026/11/003", "-300.00", "-300.00", far_ahead},
      {900005, "FV/2026/10/310", "15000.00", "15000.00", far_ahead},
  };
  Insert rozrachunek(c.db, "ROZRACHUNEK",
                     "NR_DOK, DATA_DOK, ID_FIRMY, ID_KONTRAHENTA, KWOTA, POZOSTALO, TERMIN", c.status);
  for (const Settlement& s : settlements) {
    rozrachunek.row({T(s.number), I(s.due - 14), I(1), I(s.payer), D(s.amount), D(s.left), I(s.due)});
  }
  // The invoices being issued: a total, and what is paid at once (deducted).
  Insert dokument(
      c.db, "DOKUMENT_HANDLOWY",
      "ID_DOKUMENTU_HANDLOWEGO, NUMER, DATA_WYSTAWIENIA, ID_FIRMY, ID_KONTRAHENTA, WARTOSC_BRUTTO, "
      "KWOTA_ODLICZONA",
      c.status);
  for (const Payer& p : kPayers) {
    dokument.row({I(p.id), T("FV/2026/12/" + std::to_string(p.id % 1000)), I(day_number(2026, 12, 4)), I(1),
                  I(p.id), D("7000.0000"), D("1000.0000")});
  }
  // A document paid in full on issue.
  dokument.row({I(900101), T("FV/2026/12/101"), I(day_number(2026, 12, 4)), I(1), I(900004), D("2460.0000"),
                D("2460.0000")});
  Insert wydanie(c.db, "DOKUMENT_MAGAZYNOWY", "NUMER, DATA, ID_MAGAZYNU, ID_KONTRAHENTA, WARTOSC", c.status);
  wydanie.row({T("WZ/2026/12/007"), I(day_number(2026, 12, 2)), I(1), I(900005), D("1800.00")});
}

}  // namespace server::demo
