// EXPORTBROWSERTOEXCEL: the steps around the writers, every question and warning through the host.
#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "keldox/config_parameters.h"
#include "keldox/export.h"
#include "keldox/messages.h"
#include "keldox/permissions.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "keldox/text.h"
#include "runtime/date.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::size_t kPageRows = 1000;

char separator() {
  const std::string configured(runtime::trim(POBIERZPARAMKONF("ZnakDoExcela", "u")));
  if (!configured.empty()) return configured.front();
  const std::string system(runtime::trim(POBIERZSYSTEMLISTSEPARATOR()));
  if (!system.empty()) return system.front();
  MSG_INFORMACJA(
      "W parametrach konfiguracyjnych użytkownika nie znaleziono ustawionego znaku separatora.|"
      "Do oddzielenia kolumn zostanie użyty \",\".");
  return ',';
}

// Walks every row of the list's query by key, a page at a time.
spreadsheet::RowFeed feed(dane::BrowseWindow& browse) {
  auto query = std::make_shared<dane::PageQuery>(browse.query());
  auto done = std::make_shared<bool>(false);
  return [&browse, query, done](std::vector<dane::Row>& batch, std::string& failure) {
    batch.clear();
    if (*done) return false;
    batch = browse.source().page(*query, kPageRows);
    if (const auto f = browse.source().failure()) {
      failure = f->message;
      batch.clear();
      return false;
    }
    if (batch.size() < kPageRows) *done = true;
    if (batch.empty()) return false;
    query->after_key = batch.back();
    query->locate.reset();
    return true;
  };
}

bool colours_wanted() {
  const std::string setting(runtime::trim(POBIERZPARAMKONF("KoloryDoExcelaXLSX", "u")));
  if (setting == "Tak") return true;
  if (setting == "Pytaj")
    return MSG_PYTANIE("Czy przy eksporcie uwzględnić kolory komórek?") == dane::button::kYes;
  return false;
}

void log_export(std::string_view log_name, std::size_t rows) {
  const auto& g = dane::GLO;
  const std::string statement = "call  AP_ZapiszDoLogu(" + sql_id(g.ID_FIRMY) + "," + sql_id(g.ID_MAGAZYNU) +
                                "," + sql_id(g.ID_UZYTKOWNIKA) + ",0,'" +
                                sql_escape(runtime::trim_right(log_name)) + "',6,'Eksport do excela',3,'" +
                                "Wyeksportowano rekordów: " + std::to_string(rows) + "')";
  if (ESQL(statement, 1) != 0) MSG_OSTRZEZENIE(dane::database().last_error().text);
  CLOSESQL();
}

}  // namespace

void EXPORTBROWSERTOEXCEL(dane::BrowseWindow& browse, std::string_view log_name) {
  const char field_separator = separator();
  {
    dane::PageQuery first = browse.query();
    if (browse.source().page(first, 1).empty()) {
      MSG_OSTRZEZENIE("Brak danych do eksportu!");
      return;
    }
  }
  if (POBIERZUPRAWNIENIE("EksportExcel") == 0) {
    MSG_OSTRZEZENIE("Brak uprawnień na wykonanie Eksportu do Excela!");
    return;
  }
  dane::FileDialog dialog;
  dialog.kind = dane::FileDialog::Kind::Save;
  dialog.title = "Zapisz jako ...";
  dialog.initial_path = spreadsheet::proposed_name(browse.title(), runtime::today());
  dialog.filters = spreadsheet::filter_for(POBIERZPARAMKONF("TypDoExcela", "u"));
  std::optional<std::string> chosen = dane::host().choose_file(dialog);
  if (!chosen || runtime::trim(*chosen).empty()) return;
  std::string path = *chosen;
  const spreadsheet::FileType type = spreadsheet::type_of_name(path);
  const bool colours = type == spreadsheet::FileType::xlsx && colours_wanted();
  // The browses give no colours of their own yet: a wanted export of colours writes plain cells.
  const spreadsheet::ColourOf none;

  spreadsheet::WriteOutcome outcome;
  {
    std::unique_ptr<dane::Progress> progress = dane::host().open_progress("Eksport do Excela");
    dane::host().set_busy(true);
    progress->set_text("Trwa eksport danych...");
    progress->set_percent(0);
    outcome =
        spreadsheet::write_file(path, type, spreadsheet::export_columns(browse), feed(browse),
                                field_separator, colours ? &none : nullptr, [&progress](std::size_t rows) {
                                  progress->set_text("Wyeksportowano rekordów: " + std::to_string(rows));
                                  progress->set_percent(static_cast<int>(rows / kPageRows % 100));
                                  progress->redraw();
                                });
    dane::host().set_busy(false);
  }
  if (!outcome.ok) {
    MSG_OSTRZEZENIE(outcome.message);
    return;
  }
  if (!runtime::trim(log_name).empty()) log_export(log_name, outcome.rows);
  if (MSG_PYTANIE("Plik eksportu " + path + " został utworzony. |Czy chcesz go otworzyć?") ==
      dane::button::kYes) {
    dane::host().open_with_desktop(path);
  }
}

}  // namespace keldox
