// mirlet: the main program. Logs in to the database, starts the libraries, offers the menu (to people in
// Qt windows, or to a script headless) and ends the session.
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/display.h"
#include "app/headless.h"
#include "app/menu.h"
#include "app/options.h"
#include "app/session.h"
#include "dane/host.h"
#include "main_window.h"
#include "ui_qt/geometry_store.h"
#include "ui_qt/qt_host.h"
#include "ui_script/script_host.h"

namespace {

constexpr int kFailed = 1;
constexpr int kBadCommandLine = 2;

std::optional<std::vector<ui_script::Step>> read_script(const std::string& file) {
  std::ifstream in(file);
  if (!in) {
    std::cerr << "Nie można odczytać skryptu " << file << "\n";
    return std::nullopt;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  auto steps = ui_script::ScriptHost::parse(text.str(), &error);
  if (!steps) std::cerr << "Błąd w skrypcie " << file << ": " << error << "\n";
  return steps;
}

std::optional<std::vector<const app::MenuEntry*>> find_entries(const std::vector<std::string>& paths) {
  std::vector<const app::MenuEntry*> entries;
  for (const std::string& path : paths) {
    const app::MenuEntry* entry = app::find_menu_entry(path);
    if (!entry) {
      std::cerr << "Nie ma pozycji menu \"" << path << "\". Dostępne:\n";
      for (const app::MenuEntry& e : app::menu_entries()) std::cerr << "  " << e.path << "\n";
      return std::nullopt;
    }
    entries.push_back(entry);
  }
  return entries;
}

std::string status_line(const app::Session& session) {
  const app::User& user = session.user();
  char id[32];
  std::snprintf(id, sizeof id, "%.0f", user.id);
  // A server's connection text may hold a password: it is named by its engine only.
  const std::string& file = session.database().file;
  return "Użytkownik: " + user.name + " (" + user.login + ", " + id +
         "); baza: " + (file.empty() ? "serwer ODBC" : file);
}

int run_headless(std::vector<const app::MenuEntry*> entries, std::vector<ui_script::Step> steps,
                 app::Database database, app::User user, const std::string& folder) {
  ui_script::ScriptHost host;
  host.add_steps(steps);
  app::report_script_failures(host, std::cerr);
  dane::install_host(&host);
  {
    app::Session session(std::move(database), std::move(user), folder);
    std::cout << "Zalogowano. " << status_line(session) << std::endl;
    app::run_menu_entries(entries);
    session.end();
  }
  dane::install_host(nullptr);
  std::cout << "Sesja zakończona" << std::endl;
  return app::script_succeeded(host, std::cerr) ? EXIT_SUCCESS : kFailed;
}

int run_with_windows(int argc, char** argv, const app::Options& options,
                     std::vector<const app::MenuEntry*> entries, app::Database database, app::User user,
                     const std::string& folder) {
  QApplication application(argc, argv);
  ui_qt::QtHost host;
  if (!options.screenshot_dir.empty()) host.set_screenshot_dir(options.screenshot_dir);
  ui_qt::SettingsGeometryStore geometry;
  dane::install_host(&host);
  {
    app::Session session(std::move(database), std::move(user), folder);
    host.set_geometry_store(&geometry);
    std::cout << "Zalogowano. " << status_line(session) << std::endl;
    app::MainWindow window(app::menu_entries(), status_line(session));
    window.after_shown(options.screenshot_dir, std::move(entries), options.quit_after_start);
    window.keep_geometry(geometry);
    window.show();
    QApplication::exec();
    host.set_geometry_store(nullptr);
    session.end();
  }
  dane::install_host(nullptr);
  std::cout << "Sesja zakończona" << std::endl;
  return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  std::string error;
  const std::optional<app::Options> options = app::parse_options(arguments, &error);
  if (!options) {
    std::cerr << error << "\nOpis opcji: mirlet --help\n";
    return kBadCommandLine;
  }
  if (options->help) {
    std::cout << app::usage_text();
    return EXIT_SUCCESS;
  }
  auto entries = find_entries(options->run_entries);
  if (!entries) return kBadCommandLine;
  std::optional<std::vector<ui_script::Step>> steps;
  if (!options->script.empty()) {
    steps = read_script(options->script);
    if (!steps) return kBadCommandLine;
    if (!options->screenshot_dir.empty())
      std::cerr << "Bez okien (--script) nie powstają obrazy --screenshot.\n";
  } else if (!app::has_display([](const char* name) { return std::getenv(name); })) {
    std::cerr << app::headless_hint();
    return kFailed;
  }

  app::Database database;
  if (const db::Status s = app::open_database(options->connection, database); !s.ok()) {
    std::cerr << "Nie można otworzyć bazy danych \"" << options->connection << "\": " << s.code << " "
              << s.text << "\n";
    return kFailed;
  }
  if (database.created) std::cout << "Utworzono bazę demonstracyjną: " << database.file << std::endl;
  app::User user;
  if (const db::Status s = app::log_in(*database.client, options->user_id, user); !s.ok()) {
    std::cerr << "Logowanie odrzucone: " << s.text << "\n";
    return kFailed;
  }
  const std::string folder = app::program_folder(argv[0]);
  if (steps)
    return run_headless(std::move(*entries), std::move(*steps), std::move(database), std::move(user), folder);
  return run_with_windows(argc, argv, *options, std::move(*entries), std::move(database), std::move(user),
                          folder);
}
