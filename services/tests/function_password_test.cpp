// The function password prompt: when it opens at all, the statements it sends, what it accepts, and the
// whole prompt on a demo database through the scripted host.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/host.h"
#include "dane/lists_settings.h"
#include "db/test_clients.h"
#include "keldox/permissions.h"
#include "mirlet_testing/temp_folder.h"
#include "named_rows.h"
#include "server/demo.h"
#include "server/server.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr const char* kWarning = "Brak autoryzacji!|Wprowadzono błędne hasło.";

void set_function_passwords(const char* value) {
  dane::S_PARAMKONFQ.reset();
  dane::S_PARAMKONFQ.buffer = dane::ParamKonfEntry{103, "BLOKFUNCHASLO", "@S3", value};
  dane::S_PARAMKONFQ.add_in_order<dane::ParamKonfEntry::ByCode>();
}

// The script host installed for one test; every unexpected box or window fails the test.
class ScriptedPrompt {
 public:
  ScriptedPrompt() {
    host.on_failure([](const std::string& m) { ADD_FAILURE() << m; });
    dane::install_host(&host);
  }
  ~ScriptedPrompt() { dane::install_host(nullptr); }
  ScriptedPrompt(const ScriptedPrompt&) = delete;
  ScriptedPrompt& operator=(const ScriptedPrompt&) = delete;

  std::vector<std::string> kinds() const {
    std::vector<std::string> out;
    for (const ui_script::Shown& s : host.shown()) out.push_back(s.kind);
    return out;
  }

  ui_script::ScriptHost host;
};

class FunctionPassword : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    dane::GLO.ID_UZYTKOWNIKA = 3000001;
    set_function_passwords("Tak");
    dane::install_database(&recording);
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::reset_session();
  }

  db::ScriptedClient scripted;
  db::RecordingClient recording{scripted};
  ScriptedPrompt prompt;
};

struct ParameterRow {
  const char* name;
  const char* value;
};

class FunctionPasswordOff : public FunctionPassword, public ::testing::WithParamInterface<ParameterRow> {};

TEST_P(FunctionPasswordOff, RunsWithoutAskingAnything) {
  set_function_passwords(GetParam().value);
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 1);
  EXPECT_TRUE(recording.statements().empty());
  EXPECT_TRUE(prompt.host.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, FunctionPasswordOff,
                         ::testing::Values(ParameterRow{"nie", "Nie"}, ParameterRow{"empty", ""},
                                           ParameterRow{"lower_case_tak", "tak"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FunctionPassword, ParameterMissingFromTheListRunsWithoutAsking) {
  dane::S_PARAMKONFQ.reset();
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 1);
  EXPECT_TRUE(prompt.host.shown().empty());
}

TEST_F(FunctionPassword, UncataloguedFunctionRunsWithoutAWindow) {
  scripted.queue_rows({{"ADMIN"}});
  scripted.queue_rows({});
  EXPECT_EQ(HASLOFUNKCJI("BRAK_W_KATALOGU"), 1);
  EXPECT_EQ(recording.statements(),
            (std::vector<std::string>{
                "select identyfikator from uzytkownik where id_uzytkownika=3000001",
                "select nazwa_funkcji,opis_funkcji from mag_funkcja where kod_funkcji='BRAK_W_KATALOGU'"}));
  EXPECT_TRUE(prompt.host.shown().empty());
}

TEST_F(FunctionPassword, QuotesEveryEnteredValueAndCutsTheCode) {
  scripted.queue_rows({{"O'HARA"}});
  scripted.queue_rows({{"Funkcja", "Opis"}});
  scripted.queue_rows({{"ha'slo", "O'HARA", "KOD'FUNKCJI_DLUGI_XY"}});
  prompt.host.form_set("HASLO", "ha'slo").form_ok();
  EXPECT_EQ(HASLOFUNKCJI("KOD'FUNKCJI_DLUGI_XYZ"), 1);
  EXPECT_EQ(
      recording.statements(),
      (std::vector<std::string>{
          "select identyfikator from uzytkownik where id_uzytkownika=3000001",
          "select nazwa_funkcji,opis_funkcji from mag_funkcja where kod_funkcji='KOD''FUNKCJI_DLUGI_XY'",
          "select haslo,identyfikator,kod_funkcji from uzytkownik_funkcji_v where identyfikator='O''HARA' "
          "and haslo='ha''slo' and KOD_FUNKCJI='KOD''FUNKCJI_DLUGI_XY'"}));
  EXPECT_EQ(prompt.kinds(), std::vector<std::string>{"form"});
  EXPECT_TRUE(prompt.host.finished());
}

TEST_F(FunctionPassword, FailedCatalogueReadStillAsks) {
  scripted.queue_rows({{"ADMIN"}});
  scripted.queue_failure(db::Status::statement_failed("Invalid object name 'mag_funkcja'."));
  prompt.host.form_cancel();
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 0);
  EXPECT_EQ(prompt.kinds(), std::vector<std::string>{"form"});
}

struct AuthorisationRow {
  const char* name;
  const char* identifier;  // typed over the prefilled one when not null
  const char* password;
  Rows answer;  // what the view gives back
  bool accepted;
};

class FunctionAuthorisation : public FunctionPassword,
                              public ::testing::WithParamInterface<AuthorisationRow> {};

TEST_P(FunctionAuthorisation, AcceptsOnlyTheRowThatMatchesWhatWasEntered) {
  scripted.queue_rows({{"ADMIN"}});
  scripted.queue_rows({{"Przekroczenie limitu kupieckiego", "Zgoda na wystawienie dokumentu"}});
  scripted.queue_rows(GetParam().answer);
  if (GetParam().identifier != nullptr) prompt.host.form_set("IDENTYFIKATOR", GetParam().identifier);
  prompt.host.form_set("HASLO", GetParam().password).form_ok();
  if (!GetParam().accepted) prompt.host.answer("OK", "MIRLET: Ostrzeżenie", kWarning).form_cancel();
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), GetParam().accepted ? 1 : 0);
  EXPECT_TRUE(prompt.host.finished());
  const std::vector<std::string> expected =
      GetParam().accepted ? std::vector<std::string>{"form"} : std::vector<std::string>{"form", "message"};
  EXPECT_EQ(prompt.kinds(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FunctionAuthorisation,
    ::testing::Values(
        AuthorisationRow{"exact", nullptr, "LIMIT", {{"LIMIT", "ADMIN", "LIMIT_KUPIECKI"}}, true},
        AuthorisationRow{
            "password_in_other_case", nullptr, "limit", {{"LIMIT", "ADMIN", "LIMIT_KUPIECKI"}}, true},
        AuthorisationRow{"identifier_in_other_case_with_blanks",
                         "admin  ",
                         "LIMIT",
                         {{"LIMIT  ", "Admin", "LIMIT_KUPIECKI  "}},
                         true},
        AuthorisationRow{
            "function_code_in_other_case", nullptr, "LIMIT", {{"LIMIT", "ADMIN", "Limit_Kupiecki"}}, false},
        AuthorisationRow{"other_password", nullptr, "LIMIT", {{"INNE", "ADMIN", "LIMIT_KUPIECKI"}}, false},
        AuthorisationRow{
            "other_identifier", nullptr, "LIMIT", {{"LIMIT", "ANOWAK", "LIMIT_KUPIECKI"}}, false},
        AuthorisationRow{"no_row", nullptr, "LIMIT", {}, false},
        AuthorisationRow{"empty_password_without_row", nullptr, "", {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The prompt against the demo database's catalogue and passwords.
class FunctionPasswordOnDemo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_.emplace("passwordtest");
    ASSERT_TRUE(server::make_demo_database(folder_->file("demo.db"), server::DemoSize::Demo).ok());
  }
  static void TearDownTestSuite() { folder_.reset(); }

  void SetUp() override {
    dane::reset_session();
    ASSERT_TRUE(server::connect("sqlite:" + folder_->file("demo.db"), client_).ok());
    dane::install_database(client_.get());
    dane::GLO.ID_FIRMY = 2;
    dane::GLO.ID_UZYTKOWNIKA = 3000001;
    set_function_passwords("Tak");
  }
  void TearDown() override {
    dane::install_database(nullptr);
    dane::reset_session();
  }

  static inline std::optional<mirlet_testing::TempFolder> folder_;
  std::unique_ptr<db::Client> client_;
  ScriptedPrompt prompt;
};

TEST_F(FunctionPasswordOnDemo, WrongPasswordWarnsAndKeepsThePromptOpenUntilTheRightOne) {
  prompt.host.form_set("HASLO", "zle")
      .form_ok()
      .answer("OK", "MIRLET: Ostrzeżenie", kWarning)
      .form_set("HASLO", "LIMIT")
      .form_ok();
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 1);
  EXPECT_TRUE(prompt.host.finished());
  const std::vector<ui_script::Shown> shown = prompt.host.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].kind, "form");
  EXPECT_EQ(shown[0].text, "HasloFunkcji");
  EXPECT_EQ(shown[1].text, kWarning);
}

TEST_F(FunctionPasswordOnDemo, AnotherUserMayAuthoriseWithHisOwnLogin) {
  prompt.host.form_set("IDENTYFIKATOR", "ANOWAK").form_set("HASLO", "sklep").form_ok();
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 1);
  EXPECT_TRUE(prompt.host.finished());
  // The password typed never appears in what was shown.
  const auto shown = prompt.host.shown();
  ASSERT_EQ(shown.size(), 1u);
  const std::vector<std::string>& fields = shown[0].fields;
  EXPECT_NE(std::find(fields.begin(), fields.end(), "HASLO=***"), fields.end());
  EXPECT_NE(std::find(fields.begin(), fields.end(), "IDENTYFIKATOR=ANOWAK"), fields.end());
  for (const std::string& f : fields) EXPECT_EQ(f.find("sklep"), std::string::npos) << f;
}

TEST_F(FunctionPasswordOnDemo, PasswordOfAnotherFunctionOrUserDoesNotOpenIt) {
  // ANOWAK's password typed under the prefilled administrator, then the administrator's own for a
  // function that only JKOWALSKI may run.
  prompt.host.form_set("HASLO", "sklep").form_ok().answer("OK", "", kWarning).form_cancel();
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 0);
  prompt.host.form_set("HASLO", "LIMIT").form_ok().answer("OK", "", kWarning).form_cancel();
  EXPECT_EQ(HASLOFUNKCJI("KOREKTA_CEN"), 0);
  EXPECT_TRUE(prompt.host.finished());
}

TEST_F(FunctionPasswordOnDemo, CancelOrCloseAnswersZeroAndAnUncataloguedFunctionOne) {
  prompt.host.form_cancel();
  EXPECT_EQ(HASLOFUNKCJI("LIMIT_KUPIECKI"), 0);
  prompt.host.close_window();
  EXPECT_EQ(HASLOFUNKCJI("KOREKTA_CEN"), 0);
  EXPECT_EQ(HASLOFUNKCJI("NIE_MA_TAKIEJ"), 1);
  EXPECT_TRUE(prompt.host.finished());
  EXPECT_EQ(prompt.kinds(), (std::vector<std::string>{"form", "form"}));
}

}  // namespace
}  // namespace keldox
