// The NBP and ECB table downloads: the utility module fetches, the import procedure stores.
#include <cstdio>
#include <memory>
#include <string>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "keldox/exchange_rates.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/date.h"
#include "runtime/number_text.h"
#include "runtime/text.h"
#include "sql/util_library.h"

namespace keldox {
namespace {

struct Bank {
  const char* name;    // "NBP", "ECB"
  const char* latest;  // entry points
  const char* on_day;
  const char* import;         // the import procedure
  const char* failed_latest;  // "01" warnings
  const char* failed_on_day;
  bool iso_date;  // the dated entry point takes yyyy-MM-dd (else yyMMdd)
};

constexpr Bank kNbp{"NBP",
                    "PobierzKursyNBPwartosc",
                    "PobierzKursyNBPwartoscNaDzien",
                    "KS_ImportKusowWalutNBP",
                    "Błąd wykonania funkcji pobrania kursów walut z NBP.",
                    "Błąd wykonania funkcji pobrania kursów walut na dzień z NBP.",
                    false};
constexpr Bank kEcb{"ECB",
                    "PobierzKursyECBwartosc",
                    "PobierzKursyECBwartoscNaDzien",
                    "KS_ImportKusowWalutECB",
                    "Błąd wykonania funkcji pobrania kursów walut z ECB.",
                    "Błąd wykonania funkcji pobrania kursów walut na dzień z banku ECB.",
                    true};

std::string date_text(runtime::DayNumber day, bool iso) {
  const std::chrono::year_month_day ymd = runtime::to_ymd(day);
  char text[16];
  if (iso)
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  else
    std::snprintf(text, sizeof text, "%02d%02u%02u", static_cast<int>(ymd.year()) % 100,
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  return text;
}

std::uint8_t download(const Bank& bank, double& day, std::uint8_t& message_shown) {
  if (dane::GLO.POLACZENIE_INTERNETOWE == 0) {
    MSG_OSTRZEZENIE("Wystąpił błąd połączenia internetowego!|Sprawdź czy masz dostęp do internetu.");
    return 0;
  }
  std::unique_ptr<dane::Progress> progress = dane::host().open_progress("Import kursów walut");
  if (progress) {
    progress->set_text("Trwa import kursów walut. Proszę czekać...");
    progress->redraw();
  }
  const bool dated = day != 0;
  const runtime::DayNumber asked = static_cast<runtime::DayNumber>(day);
  const std::string sent = dated ? date_text(asked, bank.iso_date) : std::string();
  const util_library::Answer answer =
      dated ? util_library::call(bank.on_day, {sent}) : util_library::call(bank.latest);
  switch (answer.outcome) {
    case util_library::Outcome::library_not_loaded:
      MSG_OSTRZEZENIE("Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.dll");
      return 0;
    case util_library::Outcome::entry_point_missing:
      MSG_OSTRZEZENIE(std::string("Wystąpił błąd podczas uruchamiania funkcji importu kursów walut ") +
                      (dated ? "na dzień " : "") + "z banku " + bank.name + ".");
      return 0;
    case util_library::Outcome::answered:
      break;
  }
  const std::string& text = answer.text;
  if (text.empty()) return 0;
  if (text == "01") {
    MSG_OSTRZEZENIE(dated ? bank.failed_on_day : bank.failed_latest);
    return 0;
  }
  if (dated && text == "02") {
    MSG_OSTRZEZENIE("Na dzień " + (bank.iso_date ? sent : runtime::short_date_text(asked)) +
                    " brak kursów walut w banku " + bank.name + ".");
    return 0;
  }
  EXECSQL("call " + std::string(bank.import) + "(" + sql_text(text) + ")");
  const db::Status status = dane::database().last_error();
  if (!status.ok()) {
    CLOSESQL();
    MSG_OSTRZEZENIE(status.text);
    return 0;
  }
  std::string imported_day;
  std::string message;
  if (next_row()) {
    imported_day = column(1);
    message = column(2);
  }
  CLOSESQL();
  progress.reset();
  day = static_cast<double>(runtime::leading_integer(imported_day).value_or(0));
  if (!runtime::trim(message).empty()) {
    MSG_OSTRZEZENIE(runtime::trim_right(message));
    message_shown = 1;
  }
  return 1;
}

}  // namespace

std::uint8_t POBIERZKURSYNBP(double& day, std::uint8_t& message_shown) {
  return download(kNbp, day, message_shown);
}

std::uint8_t POBIERZKURSYECB(double& day, std::uint8_t& message_shown) {
  return download(kEcb, day, message_shown);
}

}  // namespace keldox
