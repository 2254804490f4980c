// The password prompt that guards a catalogued function when the firm has function passwords switched on.
#include <optional>
#include <string>

#include "dane/form.h"
#include "dane/globals.h"
#include "keldox/config_parameters.h"
#include "keldox/messages.h"
#include "keldox/permissions.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::string_view kIdentifier = "IDENTYFIKATOR";
constexpr std::string_view kPassword = "HASLO";
constexpr std::string_view kFunctionCode = "KOD_FUNKCJI";
constexpr std::string_view kFunctionName = "NAZWA_FUNKCJI";
constexpr std::string_view kDescription = "OPIS_FUNKCJI";
constexpr std::size_t kIdentifierWidth = 19;
constexpr std::size_t kCodeWidth = 20;
constexpr std::size_t kNameWidth = 100;
constexpr std::size_t kDescriptionWidth = 999;
constexpr std::string_view kTitle = "Autoryzacja funkcji";

std::string clipped(std::string_view text, std::size_t width) {
  return std::string(runtime::trim_right(runtime::cut_to_width(text, width)));
}

struct CatalogueEntry {
  std::string name;
  std::string description;
};

// The function's name and description; nothing when it is not catalogued. A failed read is taken as
// catalogued with no text: a database fault must not let a protected function run unasked.
std::optional<CatalogueEntry> catalogued(const std::string& code) {
  const std::string statement =
      "select nazwa_funkcji,opis_funkcji from mag_funkcja where kod_funkcji='" + sql_escape(code) + "'";
  if (ESQL(statement, 1) != 0) return CatalogueEntry{};
  std::optional<CatalogueEntry> entry;
  if (next_row()) {
    entry = CatalogueEntry{std::string(runtime::cut_to_width(column(1), kNameWidth)),
                           std::string(runtime::cut_to_width(column(2), kDescriptionWidth))};
  }
  CLOSESQL();
  return entry;
}

class FunctionPasswordWindow final : public dane::FormWindow {
 public:
  FunctionPasswordWindow(std::string identifier, std::string code, const CatalogueEntry& function)
      : FormWindow("HasloFunkcji"), code_(std::move(code)) {
    add_field({std::string(kIdentifier), "Identyfikator", "@s19", std::move(identifier), true});
    add_field({std::string(kPassword), "Hasło", "@s20", "", true, true});
    add_field({std::string(kFunctionCode), "Kod funkcji", "@s20", code_, false});
    add_field({std::string(kFunctionName), "Funkcja", "@s100", function.name, false});
    add_field({std::string(kDescription), "Opis", "@s999", function.description, false});
    set_mode_titles(std::string(kTitle), std::string(kTitle));
  }

 protected:
  bool initialise() override {
    FormWindow::initialise();
    set_focus(kPassword);  // the identifier comes filled in
    return true;
  }

  std::optional<std::string> validate_record() override {
    if (authorised()) return std::nullopt;
    MSG_OSTRZEZENIE("Brak autoryzacji!|Wprowadzono błędne hasło.");
    return std::string(kPassword);
  }

 private:
  bool authorised() const {
    const std::string identifier = clipped(value(kIdentifier), kIdentifierWidth);
    const std::string password(runtime::trim_right(value(kPassword)));
    EXECSQL("select haslo,identyfikator,kod_funkcji from uzytkownik_funkcji_v where identyfikator='" +
            sql_escape(identifier) + "' and haslo='" + sql_escape(password) + "' and KOD_FUNKCJI='" +
            sql_escape(code_) + "'");
    const bool granted = next_row() && runtime::same_name(column(1), password) &&
                         runtime::same_name(column(2), identifier) && runtime::trim_right(column(3)) == code_;
    CLOSESQL();
    return granted;
  }

  std::string code_;
};

}  // namespace

std::uint8_t HASLOFUNKCJI(std::string_view function_code) {
  if (!runtime::same_text(POBIERZPARAMKONF("BlokFuncHaslo", "s"), "Tak")) return 1;
  std::string identifier = clipped(FUNCSQL("select identyfikator from uzytkownik where id_uzytkownika=" +
                                           sql_id(dane::GLO.ID_UZYTKOWNIKA)),
                                   kIdentifierWidth);
  std::string code = clipped(function_code, kCodeWidth);
  const std::optional<CatalogueEntry> function = catalogued(code);
  if (!function) return 1;  // a function outside the catalogue is not protected
  FunctionPasswordWindow window(std::move(identifier), std::move(code), *function);
  return dane::run_window(window) == dane::Response::Completed ? 1 : 0;
}

}  // namespace keldox
