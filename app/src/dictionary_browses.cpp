// Read-only browses over dictionary tables, paged from the session's database.
#include "dictionary_browses.h"

#include <string>
#include <vector>

#include "dane/browse.h"
#include "dane/database.h"
#include "dane/sql_row_source.h"
#include "keldox/messages.h"

namespace app {
namespace {

// A browse whose source failed shows the failure in the error window instead of an empty list.
class TableBrowse : public dane::BrowseWindow {
 public:
  TableBrowse(std::string procedure_name, dane::SqlRowSource& source)
      : BrowseWindow(std::move(procedure_name), source), source_(source) {}

 protected:
  bool initialise() override {
    if (!BrowseWindow::initialise()) return false;
    if (source_.last_status().ok()) return true;
    dane::PageQuery first_page;
    first_page.order = sort_order();
    keldox::ERRORWIN(source_.statement(first_page, 1),
                     std::to_string(source_.last_status().code) + " " + source_.last_status().text);
    return false;
  }

 private:
  dane::SqlRowSource& source_;
};

void run_browse(const char* procedure, const char* title, const char* table,
                std::vector<dane::Column> columns, std::vector<dane::SortOrder> orders) {
  dane::SqlRowSource source(dane::database(), db::Channel::VAX3, table, std::move(columns));
  TableBrowse browse(procedure, source);
  browse.set_title(title);
  for (dane::SortOrder& order : orders) browse.add_sort_order(std::move(order));
  dane::run_window(browse);
}

}  // namespace

AfterEntry browse_currencies() {
  run_browse("SLOWNIK_WALUTY", "Waluty", "WALUTY",
             {{"SYM_WALUTY", "Symbol", "@s3"},
              {"NAZWA_WALUTY", "Nazwa waluty", "@s50"},
              {"MNOZNIK_WALUTY", "Mnożnik", "@n6", true},
              {"SYM_KRAJU", "Kraj", "@s3"},
              {"NUMER", "Numer", "@n4", true}},
             {{"Symbol", {0}}, {"Nazwa", {1, 0}}});
  return AfterEntry::Continue;
}

AfterEntry browse_banks() {
  run_browse("SLOWNIK_BANKI", "Banki", "BANKI",
             {{"ID_BANKU", "Id", "@n9", true},
              {"NUMER_BANKU", "Numer rozliczeniowy", "@s10"},
              {"NAZWA", "Nazwa banku", "@s60"},
              {"SWIFT", "SWIFT", "@s11"},
              {"MIEJSCOWOSC", "Miejscowość", "@s30"}},
             {{"Nazwa", {2, 0}}, {"Numer", {1, 0}}});
  return AfterEntry::Continue;
}

}  // namespace app
