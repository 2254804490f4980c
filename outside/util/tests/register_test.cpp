// The module's register lookup end to end: its search window through the scripted host, the SOAP calls to
// a stand-in of the register on 127.0.0.1, and the record XML it hands back.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <string>
#include <vector>

#include "dane/host.h"
#include "mirlet_testing/register_stub.h"
#include "runtime/code_page.h"
#include "ui_script/script_host.h"

namespace {

class RegisterLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    handle_ = dlopen(MIRLET_UTIL_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
    setenv("MIRLET_GUS_URL", stub_.url().c_str(), 1);
    setenv("MIRLET_GUS_KEY", "klucz-testowy", 1);
    setenv("MIRLET_GUS_TIMEOUT_MS", "700", 1);
    host_.on_failure([this](const std::string& m) { failures_.push_back(m); });
    dane::install_host(&host_);
  }
  void TearDown() override {
    dane::install_host(nullptr);
    for (const char* name : {"MIRLET_GUS_URL", "MIRLET_GUS_KEY", "MIRLET_GUS_TIMEOUT_MS"}) unsetenv(name);
    if (handle_ != nullptr) dlclose(handle_);
    EXPECT_TRUE(failures_.empty()) << failures_.front();
    EXPECT_TRUE(host_.finished()) << host_.remaining() << " steps left";
  }

  // The window, then the value, as the program calls them; the answer back in UTF-8.
  std::string look_up() {
    auto* window = reinterpret_cast<void (*)()>(dlsym(handle_, "PobierzGUSokno"));
    auto* value = reinterpret_cast<const char* (*)()>(dlsym(handle_, "PobierzGUSwartosc"));
    if (window == nullptr || value == nullptr) return "<missing>";
    window();
    return runtime::decode_code_page(value(), runtime::CodePage::windows_1250);
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const ui_script::Shown& s : host_.shown())
      if (s.kind == "message") out.push_back(s.text);
    return out;
  }

  mirlet_testing::RegisterStub stub_{MIRLET_REGISTER_RECORDS};
  ui_script::ScriptHost host_;
  std::vector<std::string> failures_;
  void* handle_ = nullptr;
};

TEST_F(RegisterLookup, AFirmFoundByNipComesBackAsTheRecordsFields) {
  host_.form_set("NUMER", "731-204-58-84").form_ok().browse("select", "NIP", "7312045884");
  const std::string xml = look_up();
  EXPECT_EQ(xml,
            "<GUS><NAZWA>PRZEDSIĘBIORSTWO HANDLOWE \"MAZUR &amp; SYN\" O'NEILL SP</NAZWA>"
            "<NAZWA_PELNA>PRZEDSIĘBIORSTWO HANDLOWE \"MAZUR &amp; SYN\" O'NEILL SPÓŁKA Z OGRANICZONĄ "
            "ODPOWIEDZIALNOŚCIĄ</NAZWA_PELNA><NIP>7312045884</NIP><REGON>365110421</REGON>"
            "<NR_W_REJ>0000671234</NR_W_REJ><NAZWA_REJ>REJESTR PRZEDSIĘBIORCÓW</NAZWA_REJ>"
            "<DATA_REJ>78633</DATA_REJ><DATA_ROZP_DZIA>78633</DATA_ROZP_DZIA><SYM_KRAJU>PL</SYM_KRAJU>"
            "<WOJEWODZTWO>ŁÓDZKIE</WOJEWODZTWO><POWIAT>m. Łódź</POWIAT><GMINA>Łódź-Widzew</GMINA>"
            "<MIEJSCOWOSC>Łódź</MIEJSCOWOSC><POCZTA>Łódź</POCZTA><KOD_POCZTOWY>92-318</KOD_POCZTOWY>"
            "<ULICA>ul. Test-Krucza</ULICA><NR_DOMU>14</NR_DOMU><NR_LOKALU>3</NR_LOKALU>"
            "<ULICA_LOKAL>ul. Test-Krucza 14/3</ULICA_LOKAL><EMAIL>BIURO@MAZUR-SYN.EXAMPLE</EMAIL>"
            "<TELEFON>426301122</TELEFON><WWW>WWW.MAZUR-SYN.EXAMPLE</WWW></GUS>");
  const std::string sid = std::string("@") + mirlet_testing::RegisterStub::kSessionId;
  EXPECT_EQ(stub_.calls(), (std::vector<std::string>{"Zaloguj", "DaneSzukajPodmioty" + sid,
                                                     "DanePobierzPelnyRaport" + sid, "Wyloguj" + sid}));
  const std::string login = stub_.received().front().body;
  EXPECT_NE(login.find("<ns:pKluczUzytkownika>klucz-testowy</ns:pKluczUzytkownika>"), std::string::npos);
  EXPECT_NE(stub_.received().at(1).body.find("<dat:Nip>7312045884</dat:Nip>"), std::string::npos)
      << "the number's dashes are not sent";
}

TEST_F(RegisterLookup, ANaturalPersonWithTwoActivitiesIsPickedFromTheList) {
  host_.form_set("NUMER", "7781463200")
      .form_ok()
      .browse("select", "NAZWA", "Usługi Transportowe Jan Kowalczyk");
  const std::string xml = look_up();
  EXPECT_NE(xml.find("<NIP>7781463200</NIP><REGON>300218770</REGON>"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<ULICA_LOKAL>Dachowa 7</ULICA_LOKAL>"), std::string::npos) << "a village has no street";
  EXPECT_NE(xml.find("<POCZTA>Gądki</POCZTA><KOD_POCZTOWY>62-023</KOD_POCZTOWY>"), std::string::npos) << xml;
  EXPECT_EQ(xml.find("<ULICA>"), std::string::npos) << "empty elements are left out";
  for (const ui_script::Shown& s : host_.shown()) {
    if (s.kind == "browse") {
      EXPECT_EQ(s.rows.size(), 2U) << "both activities of the one NIP are offered";
    }
  }
  EXPECT_NE(stub_.received().at(2).body.find("BIR11OsFizycznaDzialalnoscCeidg"), std::string::npos);
}

TEST_F(RegisterLookup, NothingFoundOrAWrongNumberKeepsTheWindowOpen) {
  host_.form_set("NUMER", "12345")
      .form_ok()
      .answer("OK", "", "Numer NIP ma 10 cyfr.")
      .form_set("RODZAJ", "REGON")
      .form_set("NUMER", "1234567890")
      .form_ok()
      .answer("OK", "", "Numer REGON ma 9 lub 14 cyfr.")
      .form_set("RODZAJ", "NIP")
      .form_set("NUMER", "9463105272")
      .form_ok()
      .answer("OK", "", "Nie znaleziono podmiotu dla podanych kryteriów wyszukiwania.")
      .form_cancel();
  EXPECT_EQ(look_up(), "") << "cancelled: nothing picked";
  host_.form_set("NUMER", "7312045884").form_ok().browse("close").form_cancel();
  EXPECT_EQ(look_up(), "") << "the list closed without a pick, then the window";
}

TEST_F(RegisterLookup, ARefusedKeyOrASilentRegisterIsToldAndNothingIsPicked) {
  stub_.refuse_key();
  host_.form_set("NUMER", "7312045884")
      .form_ok()
      .answer("OK", "", "Rejestr GUS nie przyjął klucza użytkownika (MIRLET_GUS_KEY).")
      .form_cancel();
  EXPECT_EQ(look_up(), "");

  mirlet_testing::RegisterStub silent{MIRLET_REGISTER_RECORDS};
  silent.go_silent();
  setenv("MIRLET_GUS_URL", silent.url().c_str(), 1);
  host_.form_set("NUMER", "7312045884")
      .form_ok()
      .answer("OK", "", "Rejestr GUS nie odpowiedział: ")
      .form_cancel();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(look_up(), "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << "bounded by the timeout";
}

TEST_F(RegisterLookup, AnExpiredSessionIsToldAndTheNextSearchLogsInAgain) {
  stub_.forget_sessions();
  host_.form_set("NUMER", "7312045884")
      .form_ok()
      .answer("OK", "", "Rejestr GUS zakończył sesję. Spróbuj ponownie.")
      .form_cancel();
  EXPECT_EQ(look_up(), "");
  EXPECT_EQ(stub_.calls().at(0), "Zaloguj");
  EXPECT_EQ(stub_.calls().size(), 2U) << "a forgotten session is not logged out";
}

}  // namespace
