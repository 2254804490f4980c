// The execution log window: a browse over LOG_WYKONANIA limited to the user and the context.
#include "keldox/execution_log.h"
#include "dane/database.h"
#include "dane/globals.h"
#include "dane/sql_row_source.h"
#include "keldox/export.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::string_view kExport = "EksportDoExcela";
constexpr std::string_view kClose = "Zamknij";

class ExecutionLog final : public dane::BrowseWindow {
 public:
  ExecutionLog(std::unique_ptr<dane::RowSource> source)
      : dane::BrowseWindow("Log_wykonania", std::move(source)) {
    add_action({.name = std::string(kExport),
                .text = "[31848(~export.ico)]Eksport do Excela",
                .button = "Eksport do Excela",
                .tool = "[31848(~export.ico)]Eksport do Excela"});
    add_action({.name = std::string(kClose), .key = "Esc", .button = "Zamknij"});
  }

 protected:
  void on_popup_item(std::string_view name) override {
    if (runtime::same_name(name, kExport)) {
      EXPORTBROWSERTOEXCEL(*this);
    } else if (runtime::same_name(name, kClose)) {
      close(dane::Response::Completed);
    }
  }
};

}  // namespace

std::unique_ptr<dane::BrowseWindow> execution_log_window(std::string_view context) {
  const bool skipped_documents = runtime::same_name(runtime::trim(context), "SzabDokSer");
  std::vector<dane::Column> columns{
      {.name = "ID_LOG_WYKONANIA", .header = "Id", .picture = "@n12", .numeric = true, .in_list = false},
      {.name = "ID_UZYTKOWNIKA",
       .header = "Użytkownik",
       .picture = "@n12",
       .numeric = true,
       .in_list = false},
      {.name = "KONTEKST", .header = "Kontekst", .picture = "@s50", .in_list = false},
      {.name = "OPIS1", .header = skipped_documents ? "Szablon / Kontrahent" : "Opis 1", .picture = "@s255"},
      {.name = "OPIS2", .header = skipped_documents ? "Uwagi" : "Opis 2", .picture = "@s255"},
  };
  auto source = std::make_unique<dane::SqlRowSource>(dane::database(), db::Channel::VAX2, "LOG_WYKONANIA",
                                                     std::move(columns));
  auto window = std::make_unique<ExecutionLog>(std::move(source));
  window->set_title(skipped_documents ? "Informacje o dokumentach pominiętych" : "Informacje");
  window->set_help_topic("Log_wykonania");
  window->add_sort_order("kolejność", {"ID_LOG_WYKONANIA"});
  window->add_range_limit("ID_UZYTKOWNIKA", sql_id(dane::GLO.ID_UZYTKOWNIKA));
  window->add_range_limit("KONTEKST", std::string(runtime::trim_right(context)));
  return window;
}

void LOG_WYKONANIA(std::string_view context) {
  const std::unique_ptr<dane::BrowseWindow> window = execution_log_window(context);
  dane::run_window(*window);
}

}  // namespace keldox
