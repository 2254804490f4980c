// Loading a report variant into PARAMETRYWARIANTUQ and saving it under a new or changed name.
#include "keldox/report_variants.h"

#include <mutex>
#include <shared_mutex>
#include <utility>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "dane/lists_settings.h"
#include "dane/table.h"
#include "db/value.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"
#include "settings/variant_cache.h"

namespace keldox {
namespace {

using settings_detail::variant_cache;

constexpr std::size_t kVariantNameWidth = 50;
constexpr std::uint8_t kQuiet = 1;

enum class Choice { Rename = 1, NewVariant = 2, Delete = 3, Cancel = 4 };

// The run-time's stop after a failed statement: the server's message over the statement, and the
// operation goes no further. A library never ends the program, so the caller gets control back.
void stop_after(std::string_view statement) {
  ERRORWIN(statement, dane::database().last_error().text);
}

// The same for a failed record operation, which has no statement to show.
void stop_after_record_failure(const db::Status& status) {
  MSG_OSTRZEZENIE(status.text);
}

// The WARIANT table open on this thread for the length of one operation; a table the caller had open
// stays open.
class OpenVariants {
 public:
  OpenVariants() : table_(dane::declare_table("WAR", "WARIANT")), opened_here_(!table_.is_open()) {
    if (opened_here_) status_ = table_.open();
  }
  ~OpenVariants() {
    if (opened_here_ && status_.ok()) table_.close();
  }
  OpenVariants(const OpenVariants&) = delete;
  OpenVariants& operator=(const OpenVariants&) = delete;

  dane::Table& table() { return table_; }
  const db::Status& status() const { return status_; }

 private:
  dane::Table& table_;
  const bool opened_here_;
  db::Status status_;
};

Choice ask_what_to_do() {
  dane::MessageBox box;
  box.title = "MIRLET: Pytanie";
  box.text =
      "Czy zmienić nazwę istniejącego wariantu, |czy utworzyć nowy o wprowadzonej nazwie, |czy może usunąć "
      "wprowadzony wariant?";
  box.icon = dane::Icon::Question;
  box.custom_buttons = dane::split_bar_list("Zapisz zmianę|Nowy wariant|Usuń wariant|Anuluj");
  box.default_answer = static_cast<int>(Choice::Cancel);
  const int answer = dane::host().message(box);
  return answer >= 1 && answer <= 4 ? static_cast<Choice>(answer) : Choice::Cancel;
}

// True (after the warning) when another variant of the report has the name.
bool name_taken(double report, std::string_view name) {
  const bool taken = !FUNCSQL("select 1 from wariant with (nolock) where id_raportu=" + sql_id(report) +
                              " and nazwa=" + sql_text(name))
                          .empty();
  if (taken) MSG_OSTRZEZENIE("Wariant o podanej nazwie już istnieje!");
  return taken;
}

bool rename_variant(double report, std::string_view old_name, std::string_view new_name) {
  if (name_taken(report, new_name)) return false;
  const std::string statement = "update wariant  with (rowlock) set nazwa=" + sql_text(new_name) +
                                " where id_raportu=" + sql_id(report) + " and nazwa=" + sql_text(old_name);
  const bool done = ESQL(statement, kQuiet) == 0;
  if (!done) stop_after(statement);
  CLOSESQL();
  return done;
}

// The identifier of the new variant, 0 when none was made.
double insert_variant(double report, std::string_view name) {
  if (name_taken(report, name)) return 0;
  OpenVariants variants;
  if (!variants.status().ok()) {
    stop_after_record_failure(variants.status());
    return 0;
  }
  dane::Table& wariant = variants.table();
  wariant.clear();
  wariant.set_number("ID_RAPORTU", report);
  wariant.set_text("NAZWA", name);
  if (const db::Status added = wariant.add(); !added.ok()) {
    stop_after_record_failure(added);
    return 0;
  }
  return wariant.number("ID_WARIANTU");
}

// Deletes the variant of the report with the name and the values that hang on it (the relation of
// WARTOSC_PARAMETRU to WARIANT). The values go first: a variant left without values after a failure
// is harmless, values left without their variant could be taken over by a later one with the same
// identifier. True when no such variant is left.
bool delete_variant(double report, std::string_view name) {
  OpenVariants variants;
  if (!variants.status().ok()) {
    stop_after_record_failure(variants.status());
    return false;
  }
  dane::Table& wariant = variants.table();
  wariant.clear();
  wariant.set_number("ID_RAPORTU", report);
  wariant.set_text("NAZWA", name);
  const db::Status found = wariant.fetch("AK_WARIANT_RAPORT_NAZWA");
  if (found.code == dane::kRecordNotFound) return true;
  if (!found.ok()) {
    stop_after_record_failure(found);
    return false;
  }
  const double variant = wariant.number("ID_WARIANTU");
  const std::string values =
      "delete from wartosc_parametru with (rowlock) where id_wariantu=" + sql_id(variant);
  const bool values_deleted = ESQL(values, kQuiet) == 0;
  if (!values_deleted) stop_after(values);
  CLOSESQL();
  if (!values_deleted) return false;
  if (const db::Status removed = wariant.remove(); !removed.ok()) {
    stop_after_record_failure(removed);
    return false;
  }
  variant_cache().forget(report, variant);
  return true;
}

// Stores every value of PARAMETRYWARIANTUQ as the user's value in the variant.
bool write_values(double variant) {
  std::vector<std::pair<double, std::string>> values;
  {
    std::shared_lock lock(dane::PARAMETRYWARIANTUQ.mutex());
    for (const dane::ParametrWariantuEntry& entry : dane::PARAMETRYWARIANTUQ)
      values.emplace_back(entry.ID_PARAMETRU, std::string(entry.WARTOSC.clipped()));
  }
  bool written = true;
  for (const auto& [parameter, value] : values) {
    const std::string statement = "Call JL_ZapiszParametrRaportu (" + sql_id(parameter) + "," +
                                  sql_id(variant) + "," + sql_id(dane::GLO.ID_UZYTKOWNIKA) + "," +
                                  sql_text(value) + ")";
    if (ESQL(statement, kQuiet) != 0) {
      stop_after(statement);
      written = false;
      break;
    }
  }
  CLOSESQL();
  return written;
}

}  // namespace

void INICJUJWARIANT(double variant, double report) {
  auto& list = dane::PARAMETRYWARIANTUQ;
  {
    std::unique_lock lock(list.mutex());
    list.reset();
    if (variant_cache().copy_into(report, variant, list)) return;
  }
  const std::string statement =
      "select p.nazwa, w.wartosc, p.id_parametru from PARAMETR_RAPORTU p with (nolock) LEFT OUTER JOIN "
      "WARTOSC_PARAMETRU w  with (nolock) ON (p.id_parametru=w.id_parametru and w.id_wariantu=" +
      sql_id(variant) + " and w.id_uzytkownika=" + sql_id(dane::GLO.ID_UZYTKOWNIKA) +
      ") where p.id_raportu = " + sql_id(report);
  if (ESQL2(statement, kQuiet) != 0) {
    stop_after(statement);
    CLOSESQL2();
    return;
  }
  std::vector<dane::ParametrWariantuEntry> rows;
  while (next_row(db::Channel::VAX2)) {
    rows.push_back(dane::ParametrWariantuEntry{column(db::Channel::VAX2, 1), column(db::Channel::VAX2, 2),
                                               db::Value::text(column(db::Channel::VAX2, 3)).as_double(),
                                               variant});
  }
  CLOSESQL2();
  std::unique_lock lock(list.mutex());
  for (const dane::ParametrWariantuEntry& row : rows) {
    list.buffer = row;
    list.add();
    variant_cache().add(report, variant, row);
  }
}

double ZAPISZWARIANT(double variant, double report, std::string_view old_name, std::string_view new_name) {
  const std::string old_text(runtime::cut_to_width(runtime::trim_right(old_name), kVariantNameWidth));
  const std::string new_text(runtime::cut_to_width(runtime::trim_right(new_name), kVariantNameWidth));
  if (new_text.empty()) {
    MSG_OSTRZEZENIE("Proszę wprowadzić nazwę wariantu!");
    return 0;
  }
  if (new_text != old_text) {
    Choice choice = old_text.empty() ? Choice::NewVariant : ask_what_to_do();
    switch (choice) {
      case Choice::Rename:
        if (!rename_variant(report, old_text, new_text)) return 0;
        break;
      case Choice::NewVariant:
        variant = insert_variant(report, new_text);
        if (variant == 0) return 0;
        break;
      case Choice::Delete:
        return delete_variant(report, old_text) ? kVariantDeleted : 0;
      case Choice::Cancel:
        return 0;
    }
  }
  return write_values(variant) ? variant : 0;
}

void forget_loaded_variants() {
  variant_cache().clear();
}

}  // namespace keldox
