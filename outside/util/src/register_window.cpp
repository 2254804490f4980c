// The search form and the list of found firms, on the window framework of the process (dane), so that the
// program's own hosts (Qt for people, the scripted one for tests) show them.
#include "register_window.h"

#include <memory>

#include "dane/browse.h"
#include "dane/form.h"
#include "dane/host.h"
#include "dane/row_source.h"
#include "dane/window.h"
#include "register_record.h"
#include "register_service.h"
#include "runtime/text.h"

namespace zorva_util {
namespace {

constexpr std::string_view kKind = "RODZAJ";
constexpr std::string_view kNumber = "NUMER";
constexpr std::string_view kTitle = "Pobierz dane z rejestru GUS";

void warn(std::string_view text, dane::Icon icon = dane::Icon::Exclamation) {
  dane::host().message(
      {std::string(kTitle), std::string(text), icon, dane::button::kOk, {}, dane::button::kOk});
}

std::string field(const RegisterFields& fields, const char* name) {
  const auto found = fields.find(name);
  return found == fields.end() ? std::string() : std::string(runtime::trim(found->second));
}

std::string kind_text(const RegisterFields& found) {
  const std::string type = field(found, "Typ");
  if (type == "P") return "osoba prawna";
  if (type == "F") return "osoba fizyczna";
  if (type == "LP" || type == "LF") return "jednostka lokalna";
  return type;
}

// The found firms, to pick one.
class FoundFirms final : public dane::BrowseWindow {
 public:
  explicit FoundFirms(std::unique_ptr<dane::MemoryRowSource> rows)
      : BrowseWindow("PodmiotyGUS", std::move(rows)) {
    set_title("Podmioty znalezione w rejestrze GUS");
    add_sort_order("Kolejność", {"LP"});
    set_request(dane::Request::Select);
    for (const char* action : {"Insert", "Change", "Delete"}) set_action_visible(action, false);
  }
};

std::unique_ptr<dane::MemoryRowSource> firm_rows(const std::vector<RegisterFields>& firms) {
  auto rows = std::make_unique<dane::MemoryRowSource>(std::vector<dane::Column>{
      {.name = "LP", .header = "Lp.", .picture = "@n3", .numeric = true, .in_list = false},
      {.name = "NAZWA", .header = "Nazwa", .picture = "@s40"},
      {.name = "NIP", .header = "NIP", .picture = "@s13"},
      {.name = "REGON", .header = "REGON", .picture = "@s14"},
      {.name = "MIEJSCOWOSC", .header = "Miejscowość", .picture = "@s20"},
      {.name = "ADRES", .header = "Adres", .picture = "@s25"},
      {.name = "TYP", .header = "Rodzaj", .picture = "@s17"}});
  for (std::size_t i = 0; i < firms.size(); ++i) {
    const RegisterFields& f = firms[i];
    // Without a street (a village) the place stands in the address, as on an envelope.
    std::string address = field(f, "Ulica");
    if (address.empty()) address = field(f, "Miejscowosc");
    if (const std::string house = field(f, "NrNieruchomosci"); !house.empty()) address += " " + house;
    if (const std::string premises = field(f, "NrLokalu"); !premises.empty()) address += "/" + premises;
    rows->add({std::to_string(i + 1), field(f, "Nazwa"), field(f, "Nip"), field(f, "Regon"),
               field(f, "Miejscowosc"), std::string(runtime::trim(address)), kind_text(f)});
  }
  return rows;
}

struct Identifier {
  IdentifierKind kind;
  const char* name;
  std::vector<std::size_t> lengths;
};

const std::vector<Identifier>& identifiers() {
  static const std::vector<Identifier> all{{IdentifierKind::nip, "NIP", {10}},
                                           {IdentifierKind::regon, "REGON", {9, 14}},
                                           {IdentifierKind::krs, "KRS", {10}}};
  return all;
}

class SearchForm final : public dane::FormWindow {
 public:
  explicit SearchForm(RegisterSession& session) : FormWindow("PobierzGUS"), session_(session) {
    dane::Field kind{std::string(kKind), "Szukaj według", "@s5", "NIP"};
    kind.kind = dane::FieldKind::Choice;
    for (const Identifier& i : identifiers()) kind.choices.push_back(i.name);
    add_field(std::move(kind));
    add_field({std::string(kNumber), "Numer", "@s20", ""});
    if (session.settings().test_environment)
      add_field({"UWAGA", "", "@s80",
                 "Środowisko testowe rejestru: ustaw MIRLET_GUS_KEY, by pytać o prawdziwe firmy.", false});
    const std::string title(kTitle);
    set_title(title);
    set_mode_titles(title, title);
    set_closing_buttons("Szukaj", "Anuluj");
    set_focus(kNumber);
  }

  const std::string& picked() const { return picked_; }

 protected:
  std::optional<std::string> validate_record() override {
    const Identifier& id = identifier();
    std::string digits;
    for (const char c : value(kNumber)) {
      if (c >= '0' && c <= '9') digits += c;
    }
    bool fits = false;
    for (const std::size_t n : id.lengths) fits = fits || digits.size() == n;
    if (!fits) {
      std::string lengths;
      for (const std::size_t n : id.lengths) lengths += (lengths.empty() ? "" : " lub ") + std::to_string(n);
      warn(std::string("Numer ") + id.name + " ma " + lengths + " cyfr.");
      return std::string(kNumber);
    }
    digits_ = digits;
    return std::nullopt;
  }

  // "Szukaj": the window stays open until a firm is picked, so that the user can try another number.
  bool save() override {
    std::unique_ptr<dane::Progress> progress = dane::host().open_progress(kTitle);
    if (progress) {
      progress->set_text("Trwa wyszukiwanie w rejestrze GUS. Proszę czekać...");
      progress->redraw();
    }
    RegisterAnswer found = session_.search(identifier().kind, digits_);
    progress.reset();
    if (found.error) {
      warn(*found.error, dane::Icon::Error);
      return false;
    }
    if (found.entities.empty()) {
      warn(found.notice, dane::Icon::Information);
      return false;
    }
    FoundFirms list(firm_rows(found.entities));
    if (dane::run_window(list) != dane::Response::Completed || !list.selected_row()) return false;
    const std::size_t index = std::stoul(list.selected_row()->at(0)) - 1;
    const RegisterFields& firm = found.entities.at(index);
    RegisterAnswer report = session_.full_report(firm);
    if (report.error) {
      warn(*report.error, dane::Icon::Error);
      return false;
    }
    picked_ = register_record_xml(firm, report.entities.empty() ? RegisterFields{} : report.entities.front());
    return true;
  }

 private:
  const Identifier& identifier() const {
    const std::string chosen(runtime::trim(value(kKind)));
    for (const Identifier& i : identifiers()) {
      if (runtime::same_name(chosen, i.name)) return i;
    }
    return identifiers().front();
  }

  RegisterSession& session_;
  std::string digits_;
  std::string picked_;
};

}  // namespace

std::string search_register_window() {
  RegisterSession session(register_settings_from_environment());
  SearchForm form(session);
  form.set_request(dane::Request::Change);
  if (dane::run_window(form) != dane::Response::Completed) return {};
  return form.picked();
}

}  // namespace zorva_util
