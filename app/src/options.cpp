// Reading the main program's command line.
#include "app/options.h"

#include <charconv>
#include <cstdint>

namespace app {
namespace {

// Identifiers are whole numbers held in doubles; beyond 2^53 they would no longer be exact.
constexpr std::int64_t kLargestIdentifier = 9007199254740992;

bool parse_user_id(std::string_view text, double& out) {
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size() || value <= 0 || value > kLargestIdentifier)
    return false;
  out = static_cast<double>(value);
  return true;
}

}  // namespace

std::optional<Options> parse_options(const std::vector<std::string_view>& arguments, std::string* error) {
  Options options;
  const auto refuse = [&](std::string text) -> std::optional<Options> {
    if (error) *error = std::move(text);
    return std::nullopt;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view name = arguments[i];
    std::optional<std::string_view> value;
    if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string_view::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    const bool takes_value =
        name == "--db" || name == "--user" || name == "--script" || name == "--screenshot" || name == "--run";
    if (takes_value && !value) {
      if (i + 1 == arguments.size()) return refuse("Opcja " + std::string(name) + " wymaga wartości.");
      value = arguments[++i];
    }
    if (!takes_value && value) return refuse("Opcja " + std::string(name) + " nie przyjmuje wartości.");
    if (name == "--db") {
      options.connection = *value;
    } else if (name == "--user") {
      if (!parse_user_id(*value, options.user_id))
        return refuse("Identyfikator użytkownika musi być dodatnią liczbą całkowitą: \"" +
                      std::string(*value) + "\".");
    } else if (name == "--script") {
      if (value->empty()) return refuse("Opcja --script wymaga nazwy pliku.");
      options.script = *value;
    } else if (name == "--screenshot") {
      if (value->empty()) return refuse("Opcja --screenshot wymaga folderu.");
      options.screenshot_dir = *value;
    } else if (name == "--run") {
      options.run_entries.emplace_back(*value);
    } else if (name == "--quit-after-start") {
      options.quit_after_start = true;
    } else if (name == "--help" || name == "-h") {
      options.help = true;
    } else {
      return refuse("Nieznana opcja: \"" + std::string(arguments[i]) + "\".");
    }
  }
  return options;
}

std::string usage_text() {
  return "Użycie: mirlet [OPCJE]\n"
         "\n"
         "  --db POŁĄCZENIE       baza danych: \"default\" (domyślnie: wbudowana baza demonstracyjna,\n"
         "                        $MIRLET_DB lub ~/.local/share/mirlet/mirlet.db) albo \"sqlite:ŚCIEŻKA\";\n"
         "                        brakujący plik bazy wbudowanej powstaje z danymi demonstracyjnymi\n"
         "  --user ID             identyfikator użytkownika (domyślnie 3000001, administrator)\n"
         "  --script PLIK         praca bez okien: odpowiedzi udziela skrypt (zob. ui_script)\n"
         "  --run \"MENU > POZYCJA\" uruchamia pozycję menu (można powtarzać); bez okien sesja kończy się "
         "po\n"
         "                        ostatniej\n"
         "  --quit-after-start    z oknami: kończy sesję po pokazaniu okna głównego i pozycjach --run\n"
         "  --screenshot FOLDER   zapisuje obrazy PNG wszystkich pokazanych okien\n"
         "  --help                ten opis\n"
         "\n"
         "Bez ekranu (brak DISPLAY i WAYLAND_DISPLAY) program działa z --script PLIK albo z\n"
         "QT_QPA_PLATFORM=offscreen.\n";
}

}  // namespace app
