// VAT rates: the list, its "Aktywność" and the session's list of active rates.
#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "dane/lists_money.h"
#include "dane/record_fields.h"
#include "dane/record_form.h"
#include "keldox/messages.h"
#include "keldox/permissions.h"
#include "keldox/sql.h"
#include "pattern/dictionary_browse.h"
#include "pattern/run.h"
#include "runtime/text.h"
#include "slownik/dictionaries.h"
#include "windows/windows.h"

namespace slownik {
namespace {

constexpr std::string_view kActivity = "Aktywnosc";

class VatHooks : public DictionaryHooks {
 public:
  void browse_opened(DictionaryBrowse& browse) override {
    browse.add_action({.name = std::string(kActivity),
                       .text = "[31848(~aktywnosc.ico)]Aktywność <F4>",
                       .key = "F4",
                       .button = "Aktywność",
                       .needs_row = true});
  }

  bool browse_action(DictionaryBrowse& browse, std::string_view name) override {
    if (!runtime::same_name(name, kActivity)) return false;
    if (keldox::POBIERZUPRAWNIENIE("AktywnoscStawkiVat") == 0) {
      keldox::MSG_OSTRZEZENIE("Brak uprawnień na dostęp do funkcji Aktywność stawki vat!");
      return false;
    }
    if (!browse.load_current()) return true;
    dane::Table& vat = browse.table();
    vat.set_integer("AKTYWNY", vat.integer("AKTYWNY") == 1 ? 0 : 1);
    const db::Status s = browse.store().change();
    if (!s.ok()) {
      keldox::MSG_OSTRZEZENIE(dane::record_failure_text(s, "zapisać zmian"));
      return true;
    }
    changed_ = true;
    return true;
  }

  void browse_closing(DictionaryBrowse&) override {
    if (changed_) LOADVAT();
  }

 private:
  bool changed_ = false;
};

}  // namespace

const Description& vat_rates() {
  static const Description d = [] {
    Description d;
    d.browse = "VAT_Brw";
    d.menu = "Stawki VAT";
    d.table = "VAT";
    d.from = "STAWKA_VAT";
    d.registry = "StawkiVAT";
    d.title = "Stawki VAT";
    d.columns = {
        {.name = "ID_VAT",
         .header = "Id",
         .picture = "@n9",
         .numeric = true,
         .in_list = false,
         .in_form = false},
        {.name = "NAZWA", .header = "Nazwa", .picture = "@s20"},
        {.name = "KOD_VAT", .header = "Kod", .picture = "@s3"},
        {.name = "STAWKA", .header = "Stawka", .picture = "@n-9.2", .numeric = true},
        {.name = "AKTYWNY",
         .header = "A",
         .picture = "@n1",
         .numeric = true,
         .kind = dane::FieldKind::Check,
         .icon = "~32redchk.ico"},
    };
    d.sorts = {{"PK_VAT", {"ID_VAT"}}};
    d.locator = "KOD_VAT";
    d.permissions = {.base = "StawkiVAT",
                     .genitive = "stawek vat",
                     .access_box_text = "Brak uprawnień na dostęp do stawek vat!"};
    d.help_topic = "kar_towpom_VAT.htm";
    d.hooks = [] { return std::make_unique<VatHooks>(); };
    d.open = VAT_BRW;
    return d;
  }();
  return d;
}

void VAT_BRW() {
  run_requested_browse(vat_rates());
}

void LOADVAT() {
  auto& list = dane::VATQ;
  list.clear();
  keldox::EXECSQL(
      "select kod_vat, stawka from stawka_vat with (nolock) where aktywny=1 order by stawka desc,kod_vat");
  if (const db::Status s = dane::database().last_error(); !s.ok()) {
    dane::MessageBox box;
    box.title = "MIRLET: Błąd";
    box.text = s.text + "|Zakończyć pracę programu?";
    box.icon = dane::Icon::Error;
    box.buttons = dane::button::kAbort | dane::button::kIgnore;
    box.default_answer = dane::button::kIgnore;
    // Ending the program is the session's decision; going on leaves the list empty.
    if (dane::host().message(box) == dane::button::kAbort) dane::GLO.WYJDZ_Z_HALTEM = 1;
    keldox::CLOSESQL();
    return;
  }
  while (keldox::next_row()) {
    list.buffer = dane::VatEntry{};
    list.buffer.KOD_VAT = keldox::column(1);
    list.buffer.STAWKA = dane::number_from_text(keldox::column(2));
    list.add();
  }
  keldox::CLOSESQL();
}

}  // namespace slownik
