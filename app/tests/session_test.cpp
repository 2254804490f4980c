// The session on a fresh demo database: creation on first use, the log-in, and what the session sets up
// and takes down.
#include "app/session.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/menu.h"
#include "app/options.h"
#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "dane/library.h"
#include "dane/lists_money.h"
#include "dane/lists_settings.h"
#include "keldox/config_parameters.h"
#include "keldox/sql.h"
#include "mirlet_testing/register_stub.h"
#include "start/loaders.h"
#include "ui_script/script_host.h"

namespace app {
namespace {

namespace fs = std::filesystem;

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("mirlet-app-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string connection() const { return "sqlite:" + (folder_ / "data" / "mirlet.db").string(); }

  Database open() {
    Database database;
    const db::Status s = open_database(connection(), database);
    EXPECT_TRUE(s.ok()) << s.code << " " << s.text;
    return database;
  }

  fs::path folder_;
};

TEST_F(SessionTest, MissingDatabaseIsCreatedWithTheDemoDataOnceAndFoundAfterwards) {
  Database first = open();
  EXPECT_TRUE(first.created);
  EXPECT_EQ(first.file, (folder_ / "data" / "mirlet.db").string());
  ASSERT_TRUE(first.client);
  for (const auto& entry : fs::directory_iterator(folder_ / "data"))
    EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos)
        << "left beside it: " << entry.path();
  first.client.reset();
  Database second = open();
  EXPECT_FALSE(second.created);
  User user;
  EXPECT_TRUE(log_in(*second.client, kDefaultUserId, user).ok());
}

TEST_F(SessionTest, ConnectionTextThatCannotBeUnderstoodCreatesNothing) {
  Database database;
  EXPECT_FALSE(open_database("sqlite:", database).ok());
  EXPECT_FALSE(database.client);
  // A data source that is not configured is said at once, with the driver manager's words.
  const db::Status unknown = open_database("odbc:DSN=nie_ma_takiego_zrodla", database);
  EXPECT_FALSE(unknown.ok());
  EXPECT_NE(unknown.text.find("[IM002]"), std::string::npos) << unknown.text;
  EXPECT_FALSE(database.client);
}

TEST_F(SessionTest, LogInFindsTheUserAndRefusesUnknownAndSwitchedOffAccounts) {
  Database database = open();
  User user;
  ASSERT_TRUE(log_in(*database.client, kDefaultUserId, user).ok());
  EXPECT_EQ(user.id, kDefaultUserId);
  EXPECT_EQ(user.login, "ADMIN");
  EXPECT_EQ(user.name, "Administrator");

  const db::Status unknown = log_in(*database.client, 42, user);
  EXPECT_FALSE(unknown.ok());
  EXPECT_EQ(unknown.text, "Użytkownik o identyfikatorze 42 nie istnieje w tej bazie danych.");
  EXPECT_EQ(user.id, kDefaultUserId) << "a refused log-in must not change the user";

  database.client->open(db::Channel::VAX1);
  ASSERT_TRUE(
      database.client
          ->send(db::Channel::VAX1, "UPDATE UZYTKOWNIK SET AKTYWNY = 0 WHERE ID_UZYTKOWNIKA = 3000003")
          .ok());
  const db::Status off = log_in(*database.client, 3000003, user);
  EXPECT_FALSE(off.ok());
  EXPECT_NE(off.text.find("wyłączone"), std::string::npos) << off.text;
}

// The register's firm checked in the form and added once: a second try with the same tax number is refused.
TEST_F(SessionTest, ANewContractorFromTheRegisterIsAddedOnceWithTheCompanysNextNumber) {
  mirlet_testing::RegisterStub stub{MIRLET_REGISTER_RECORDS};
  setenv("MIRLET_GUS_URL", stub.url().c_str(), 1);
  setenv("MIRLET_GUS_KEY", "klucz", 1);
  Database database = open();
  dane::install_database(database.client.get());
  dane::GLO.ID_FIRMY = 1;
  dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
  dane::GLO.POLACZENIE_INTERNETOWE = 1;
  const std::string next = keldox::FUNCSQL("select max(NUMER)+1 from KONTRAHENT where ID_FIRMY=1");
  ui_script::ScriptHost host;
  host.form_set("NUMER", "7312045884")
      .form_ok()
      .browse("select", "NIP", "7312045884")
      .form_set("NAZWA", "Mazur i Syn O`Neill")
      .form_ok()
      .answer("OK", "", "Dodano kontrahenta Mazur i Syn O`Neill.")
      .form_set("NUMER", "7312045884")
      .form_ok()
      .browse("select", "NIP", "7312045884")
      .form_ok()
      .answer("OK", "", "Kontrahent o numerze NIP 7312045884 już istnieje: Mazur i Syn O`Neill.")
      .form_cancel();
  dane::install_host(&host);
  const MenuEntry* entry = find_menu_entry("Narzędzia > Nowy kontrahent z rejestru GUS");
  ASSERT_NE(entry, nullptr);
  entry->action();
  entry->action();
  dane::install_host(nullptr);
  EXPECT_TRUE(host.failures().empty()) << host.failures().front();
  EXPECT_TRUE(host.finished());
  EXPECT_EQ(keldox::FUNCSQL("select count(*) from KONTRAHENT where NIP='7312045884'"), "1");
  EXPECT_EQ(
      keldox::FUNCSQL("select cast(NUMER as varchar(10))+'|'+NAZWA_PELNA+'|'+KOD_POCZTOWY+'|'+ULICA_LOKAL "
                      "from KONTRAHENT where NIP='7312045884'"),
      next +
          "|PRZEDSIĘBIORSTWO HANDLOWE \"MAZUR & SYN\" O`NEILL SPÓŁKA Z OGRANICZONĄ "
          "ODPOWIEDZIALNOŚCIĄ|92-318|ul. Test-Krucza 14/3");
  keldox::CLOSESQL();
  dane::install_database(nullptr);
  unsetenv("MIRLET_GUS_URL");
  unsetenv("MIRLET_GUS_KEY");
}

// The dictionary entries page their tables from the installed client; a table that cannot be read shows
// the error window instead of an empty list.
TEST_F(SessionTest, DictionaryEntriesComeFromTheDictionaryTableAndBrowseTheSessionDatabase) {
  std::vector<std::string> dictionaries;
  for (const MenuEntry& e : menu_entries()) {
    if (e.path.rfind("Słowniki > ", 0) == 0) dictionaries.push_back(e.path);
  }
  EXPECT_EQ(dictionaries,
            (std::vector<std::string>{"Słowniki > Stawki VAT", "Słowniki > Waluty", "Słowniki > Banki",
                                      "Słowniki > Kraje", "Słowniki > Słowniki pól dodatkowych"}));
  Database database = open();
  dane::install_database(database.client.get());
  ui_script::ScriptHost host;
  host.browse("pick", "SYM_WALUTY", "USD").browse("close").browse("pick", "ID_BANKU", "1").browse("close");
  dane::install_host(&host);
  dane::GLO.ID_UZYTKOWNIKA = 3000001;  // the administrator: every dictionary opens
  EXPECT_EQ(find_menu_entry("Słowniki > Waluty")->action(), AfterEntry::Continue);
  EXPECT_EQ(find_menu_entry("Słowniki > Banki")->action(), AfterEntry::Continue);

  database.client->open(db::Channel::VAX1);
  ASSERT_TRUE(database.client->send(db::Channel::VAX1, "DROP TABLE BANKI").ok());
  find_menu_entry("Słowniki > Banki")->action();
  dane::install_host(nullptr);
  dane::install_database(nullptr);

  EXPECT_TRUE(host.failures().empty()) << host.failures().front();
  EXPECT_TRUE(host.finished());
  const std::vector<ui_script::Shown> shown = host.shown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].kind, "browse");
  EXPECT_EQ(shown[0].title, "Waluty");
  EXPECT_EQ(shown[1].title, "Lista banków");
  EXPECT_EQ(shown[2].kind, "error");
  EXPECT_NE(shown[2].text.find("BANKI"), std::string::npos) << shown[2].text;
}

// The credit-limit window is reached from the Tools menu through the payers whose sales are checked.
TEST_F(SessionTest, ThePayersCreditLimitOpensForThePayerChosenByName) {
  Database database = open();
  dane::install_database(database.client.get());
  ui_script::ScriptHost host;
  host.form_set("WYBOR", "Market Na Granicy S.A.").form_ok().form_cancel();
  dane::install_host(&host);
  dane::GLO.ID_FIRMY = 1;
  EXPECT_EQ(find_menu_entry("Narzędzia > Limit kupiecki płatnika")->action(), AfterEntry::Continue);
  dane::install_host(nullptr);
  dane::install_database(nullptr);

  EXPECT_TRUE(host.failures().empty()) << host.failures().front();
  const std::vector<ui_script::Shown> shown = host.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].title, "Limit kupiecki płatnika");
  EXPECT_EQ(shown[1].text, "LimitKupiecki");
  EXPECT_NE(std::find(shown[1].fields.begin(), shown[1].fields.end(), "NALEZNOSCI=15 000,00"),
            shown[1].fields.end());
}

// An article's additional fields, from the Tools menu until the article lists come: chosen among its
// twins by warehouse, edited in the classifier window and saved.
TEST_F(SessionTest, AnArticlesAdditionalFieldsAreEditedAndSavedFromTheToolsMenu) {
  Database database = open();
  dane::install_database(database.client.get());
  ui_script::ScriptHost host;
  host.form_set("WYBOR", "Łopata ogrodowa (LOP-01, magazyn 2)")
      .form_ok()
      .form_set("1101", "Niebieski")
      .form_ok();
  dane::install_host(&host);
  dane::GLO.ID_FIRMY = 1;
  dane::GLO.ID_UZYTKOWNIKA = 3000001;
  start::LADUJKLASYFIKATORY(start::Route::row_by_row);  // no utility module beside the tests
  EXPECT_EQ(find_menu_entry("Narzędzia > Pola dodatkowe artykułu")->action(), AfterEntry::Continue);
  EXPECT_TRUE(host.failures().empty()) << host.failures().front();
  EXPECT_TRUE(host.finished());
  database.client->open(db::Channel::VAX1);
  ASSERT_TRUE(database.client
                  ->send(db::Channel::VAX1,
                         "select POLE1 from ARTYKUL where INDEKS_KATALOGOWY='LOP-01' order by ID_MAGAZYNU")
                  .ok());
  std::vector<std::string> colours;
  while (database.client->next(db::Channel::VAX1).ok())
    colours.emplace_back(database.client->field(db::Channel::VAX1, 1));
  database.client->close(db::Channel::VAX1);
  dane::install_host(nullptr);
  dane::install_database(nullptr);
  EXPECT_EQ(colours, (std::vector<std::string>{"Zielony", "Niebieski"}));
}

// An article's photo from a file into the database and back into another file, from the Tools menu.
TEST_F(SessionTest, AnArticlesPhotoGoesIntoTheDatabaseAndBackFromTheToolsMenu) {
  Database database = open();
  dane::install_database(database.client.get());
  const std::string photo = (folder_ / "lopata.jpg").string(), copy = (folder_ / "kopia.jpg").string();
  std::string bytes;
  for (int i = 0; i < 70000; ++i) bytes += static_cast<char>(i % 253);
  std::ofstream(photo, std::ios::binary) << bytes;
  dane::S_PARAMKONFQ.reset();
  dane::S_PARAMKONFQ.buffer = dane::ParamKonfEntry{108, "MAXROZZDJECART", "@n6", "500"};
  dane::S_PARAMKONFQ.add_in_order<dane::ParamKonfEntry::ByCode>();
  ui_script::ScriptHost host;
  host.form_set("WYBOR", "Łopata ogrodowa (LOP-01, magazyn 2)")
      .form_ok()
      .choose_file(photo)
      .answer("OK", "", "Plik graficzny zapisany w bazie danych.")
      .form_set("WYBOR", "Łopata ogrodowa (LOP-01, magazyn 2)")
      .form_ok()
      .choose_file(copy);
  dane::install_host(&host);
  EXPECT_EQ(find_menu_entry("Narzędzia > Wczytaj zdjęcie artykułu")->action(), AfterEntry::Continue);
  EXPECT_EQ(find_menu_entry("Narzędzia > Zapisz zdjęcie artykułu do pliku")->action(), AfterEntry::Continue);
  dane::install_host(nullptr);
  dane::install_database(nullptr);
  dane::S_PARAMKONFQ.reset();
  EXPECT_TRUE(host.failures().empty()) << host.failures().front();
  EXPECT_TRUE(host.finished());
  std::ifstream in(copy, std::ios::binary);
  EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(in), {}) == bytes);
}

// The SQL script window from the System menu: the administrator's alone.
TEST_F(SessionTest, TheSqlScriptWindowRunsWhatTheAdministratorTypes) {
  Database database = open();
  dane::install_database(database.client.get());
  ui_script::ScriptHost host;
  host.answer("OK", "", "Skrypt SQL może wykonać tylko Administrator.")
      .form_set("SQL", "update KRAJE set NAZWA_KRAJU='Polska (PL)' where SYM_KRAJU='PL'")
      .form_press("WYKONAJ")
      .answer("OK", "", "Skrypt SQL został wykonany poprawnie!")
      .form_cancel();
  dane::install_host(&host);
  dane::GLO.ID_FIRMY = 1;
  dane::GLO.ID_UZYTKOWNIKA = 3000002;
  find_menu_entry("System > Skrypt SQL")->action();
  dane::GLO.ID_UZYTKOWNIKA = 3000001;
  find_menu_entry("System > Skrypt SQL")->action();
  EXPECT_TRUE(host.failures().empty()) << host.failures().front();
  EXPECT_TRUE(host.finished());
  database.client->open(db::Channel::VAX1);
  ASSERT_TRUE(
      database.client->send(db::Channel::VAX1, "select NAZWA_KRAJU from KRAJE where SYM_KRAJU='PL'").ok());
  ASSERT_TRUE(database.client->next(db::Channel::VAX1).ok());
  EXPECT_EQ(database.client->field(db::Channel::VAX1, 1), "Polska (PL)");
  database.client->close(db::Channel::VAX1);
  dane::install_host(nullptr);
  dane::install_database(nullptr);
}

// The same session on the same demo data, reached through the SQLite ODBC driver with the stand-in's
// extension: the log-in and a dictionary read through the server engine.
TEST_F(SessionTest, TheSessionOpensThroughOdbcOnTheDemoDatabase) {
  const char* driver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
  if (!fs::exists(driver)) GTEST_SKIP() << "the SQLite ODBC driver is not installed";
  { Database embedded = open(); }  // creates the demo database
  const std::string file = (folder_ / "data" / "mirlet.db").string();
  Database database;
  const db::Status opened = open_database(std::string("odbc:DRIVER=") + driver + ";Database=" + file +
                                              ";LoadExt=" + MIRLET_SQLITE_EXTENSION + ";dialect=sqlite",
                                          database);
  ASSERT_TRUE(opened.ok()) << opened.text;
  EXPECT_FALSE(database.created);
  User user;
  const db::Status logged = log_in(*database.client, 3000001, user);
  ASSERT_TRUE(logged.ok()) << logged.text;
  EXPECT_EQ(user.login, "ADMIN");
  ui_script::ScriptHost host;
  host.browse("pick", "SYM_WALUTY", "EUR").browse("close");
  dane::install_host(&host);
  dane::install_database(database.client.get());
  dane::GLO.ID_UZYTKOWNIKA = 3000001;
  // One session per process (the test below counts its libraries): the dictionary runs on the database
  // alone.
  EXPECT_EQ(find_menu_entry("Słowniki > Waluty")->action(), AfterEntry::Continue);
  dane::install_database(nullptr);
  dane::install_host(nullptr);
  EXPECT_TRUE(host.failures().empty()) << host.failures().front();
  const std::vector<ui_script::Shown> shown = host.shown();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back().title, "Waluty");
  EXPECT_NE(std::find_if(shown.back().rows.begin(), shown.back().rows.end(),
                         [](const std::string& r) { return r.find("| EUR | euro") != std::string::npos; }),
            shown.back().rows.end())
      << (shown.back().rows.empty() ? std::string("no rows") : shown.back().rows.front());
}

// One session per process: the libraries start and end once.
TEST_F(SessionTest, SessionSetsTheGlobalsStartsTheLibrariesWithItsObjectsAndEndsThem) {
  Database database = open();
  User user;
  ASSERT_TRUE(log_in(*database.client, 3000002, user).ok());
  dane::reset_session();
  {
    Session session(std::move(database), user, "/opt/mirlet/bin");
    EXPECT_EQ(dane::GLO.ID_UZYTKOWNIKA, 3000002);
    EXPECT_EQ(dane::GLO.LOGIN, "JKOWALSKI");
    EXPECT_EQ(dane::GLO.LOCALPATH, "/opt/mirlet/bin");
    EXPECT_EQ(dane::GLO.PATH_INI, (folder_ / "config" / "mirlet" / "okna3000002.ini").string());
    EXPECT_EQ(dane::GLO.OWNERNAME, connection());
    EXPECT_EQ(dane::GLO.BAZA, (folder_ / "data" / "mirlet.db").string());
    EXPECT_EQ(session.settings().path(), std::string(dane::GLO.PATH_INI.clipped()));
    EXPECT_EQ(dane::library().error_object(), &session.errors());
    EXPECT_EQ(&dane::settings_file(), &session.settings());

    // The libraries reach the session's database through the installed client.
    db::Client& client = dane::database();
    ASSERT_TRUE(client.open(db::Channel::VAX3).ok());
    ASSERT_TRUE(client.send(db::Channel::VAX3, "SELECT COUNT(*) FROM WALUTY").ok());
    ASSERT_TRUE(client.next(db::Channel::VAX3).ok());
    EXPECT_NE(client.field(db::Channel::VAX3, 1), "0");
    client.close(db::Channel::VAX3);

    const std::vector<std::string> started = dane::library_calls();
    ASSERT_FALSE(started.empty());
    EXPECT_EQ(started.front(), "START:INIT");
    EXPECT_EQ(started[1], "DANE:INIT");
    EXPECT_EQ(std::count(started.begin(), started.end(), "START:KILL"), 0);
    session.end();
    session.end();
    const std::vector<std::string> all = dane::library_calls();
    EXPECT_EQ(all.size(), 2 * started.size()) << "every library started is released, once";
    EXPECT_EQ(all[started.size()], "START:KILL");
  }
  EXPECT_EQ(dane::database().open(db::Channel::VAX).code, 37) << "the client must leave with the session";
}

TEST_F(SessionTest, AfterLogInTheSessionListsAreLoaded) {
  Database database = open();
  User user;
  ASSERT_TRUE(log_in(*database.client, 3000002, user).ok());
  dane::reset_session();
  Session session(std::move(database), user, "/opt/mirlet/bin");
  EXPECT_EQ(dane::GLO.ID_FIRMY, 1) << "the user's stored company";
  EXPECT_EQ(keldox::POBIERZPARAMKONF("DomMagazyn", "u"), "1");
  EXPECT_EQ(keldox::POBIERZPARAMKONF("MiejWystFak/Rach", "s"), "Kraków");
  EXPECT_EQ(dane::GLO.ID_MAGAZYNU, 1);
  EXPECT_FALSE(dane::VATQ.empty());
  EXPECT_EQ(dane::GLO.WYJDZ_Z_HALTEM, 0);
  session.end();
}

TEST_F(SessionTest, SessionThatMayNotGoOnEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Database database = open();
  User user;
  ASSERT_TRUE(log_in(*database.client, 3000004, user).ok());  // limited: his access conditions need the types
  ASSERT_TRUE(database.client->open(db::Channel::VAX3).ok());
  ASSERT_TRUE(database.client->send(db::Channel::VAX3, "DROP TABLE TYP_DOKUMENTU_MAGAZYNOWEGO").ok());
  database.client->close(db::Channel::VAX3);
  EXPECT_EXIT(
      {
        dane::reset_session();
        Session session(std::move(database), user, "/opt/mirlet/bin");
        std::exit(0);  // not reached when the session stops the program
      },
      ::testing::ExitedWithCode(EXIT_FAILURE), "Sesja nie może zostać otwarta");
}

}  // namespace
}  // namespace app
