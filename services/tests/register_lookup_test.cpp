// PODAJDANEGUS over the real utility module and a stand-in of the register on 127.0.0.1: the record filled
// from the picked firm, the answer's clean-up, and every way it refuses with the record left as it was.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "dane/globals.h"
#include "dane/host.h"
#include "keldox/register_lookup.h"
#include "mirlet_testing/register_stub.h"
#include "mirlet_testing/temp_folder.h"
#include "ui_script/script_host.h"

namespace keldox {
namespace {

dane::RecordGroup contractor() {
  dane::RecordGroup group("KON");
  for (const char* field :
       {"NAZWA", "NAZWA_PELNA", "NIP", "KOD_POCZTOWY", "MIEJSCOWOSC", "ULICA_LOKAL", "UWAGI"})
    group.add(field, "przed");
  return group;
}

class RegisterLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    dane::reset_session();
    dane::GLO.LOCALPATH = MIRLET_UTIL_DIR;
    dane::GLO.POLACZENIE_INTERNETOWE = 1;
    setenv("MIRLET_GUS_URL", stub_.url().c_str(), 1);
    setenv("MIRLET_GUS_KEY", "klucz", 1);
    host_.on_failure([this](const std::string& m) { failures_.push_back(m); });
    dane::install_host(&host_);
  }
  void TearDown() override {
    dane::install_host(nullptr);
    unsetenv("MIRLET_GUS_URL");
    unsetenv("MIRLET_GUS_KEY");
    dane::reset_session();
    EXPECT_TRUE(failures_.empty()) << failures_.front();
    EXPECT_TRUE(host_.finished()) << host_.remaining() << " steps left";
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const ui_script::Shown& s : host_.shown())
      if (s.kind == "message") out.push_back(s.text);
    return out;
  }
  static bool untouched(const dane::RecordGroup& group) {
    for (const dane::GroupField& f : group.fields())
      if (f.value != "przed") return false;
    return true;
  }

  mirlet_testing::RegisterStub stub_{MIRLET_REGISTER_RECORDS};
  ui_script::ScriptHost host_;
  std::vector<std::string> failures_;
};

TEST_F(RegisterLookup, ThePickedFirmFillsTheRecordsFieldsWithBackquotesForApostrophes) {
  dane::RecordGroup group = contractor();
  host_.form_set("NUMER", "7312045884").form_ok().browse("select", "NIP", "7312045884");
  ASSERT_EQ(PODAJDANEGUS(group), 1);
  EXPECT_EQ(group.value("NAZWA"), "PRZEDSIĘBIORSTWO HANDLOWE \"MAZUR & SYN\" O`NEILL SP");
  EXPECT_EQ(group.value("NAZWA_PELNA"),
            "PRZEDSIĘBIORSTWO HANDLOWE \"MAZUR & SYN\" O`NEILL SPÓŁKA Z OGRANICZONĄ ODPOWIEDZIALNOŚCIĄ");
  EXPECT_EQ(group.value("NIP"), "7312045884");
  EXPECT_EQ(group.value("KOD_POCZTOWY"), "92-318");
  EXPECT_EQ(group.value("MIEJSCOWOSC"), "Łódź");
  EXPECT_EQ(group.value("ULICA_LOKAL"), "ul. Test-Krucza 14/3");
  EXPECT_EQ(group.value("UWAGI"), "przed") << "a field the register has nothing for keeps its value";
}

TEST_F(RegisterLookup, CancellingOrEveryFailureAnswersZeroAndLeavesTheRecord) {
  dane::RecordGroup group = contractor();
  host_.form_cancel();
  EXPECT_EQ(PODAJDANEGUS(group), 0);
  EXPECT_TRUE(untouched(group));
  EXPECT_TRUE(stub_.calls().empty()) << "no search, no session";

  dane::GLO.POLACZENIE_INTERNETOWE = 0;
  host_.answer("OK");
  EXPECT_EQ(PODAJDANEGUS(group), 0);
  dane::GLO.POLACZENIE_INTERNETOWE = 1;

  mirlet_testing::TempFolder empty("gus");
  dane::GLO.LOCALPATH = empty.path().string();
  host_.answer("OK");
  EXPECT_EQ(PODAJDANEGUS(group), 0);

  dane::GLO.LOCALPATH = MIRLET_BARE_UTIL_DIR;
  host_.answer("OK");
  EXPECT_EQ(PODAJDANEGUS(group), 0);

  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Wystąpił błąd połączenia internetowego!|Sprawdź czy masz dostęp do internetu.",
                            "Wystąpił błąd podczas ładowania biblioteki ZORVAutilKS.dll",
                            "Wystąpił błąd podczas uruchamiania funkcji importu danych z GUS.",
                        }));
  EXPECT_TRUE(untouched(group));
}

TEST(RegisterAnswer, CleanUpKeepsAWellFormedAnswerWellFormedAndEscapesWhatWouldBreakIt) {
  EXPECT_EQ(clean_register_answer("<N>A&#046;B&#045;C&#044;D&#041;</N>"), "<N>A.B-C,D)</N>");
  EXPECT_EQ(clean_register_answer("<N>O'Neill</N>"), "<N>O`Neill</N>");
  EXPECT_EQ(clean_register_answer("<N>Mazur & Syn</N>"), "<N>Mazur &amp; Syn</N>") << "a bare ampersand";
  EXPECT_EQ(clean_register_answer("<N>Mazur &amp; Syn &lt;PL&gt; &#321;&#x141;</N>"),
            "<N>Mazur &amp; Syn &lt;PL&gt; &#321;&#x141;</N>")
      << "references stay references: escaping them again would put their text into the record";
  EXPECT_EQ(clean_register_answer("<N>&quot;Alfa&quot; &amp&x;</N>"), "<N>\"Alfa\" &amp;amp&x;</N>");
  EXPECT_EQ(clean_register_answer("A&"), "A&amp;");
}

}  // namespace
}  // namespace keldox
