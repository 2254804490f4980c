// The register's search window as a person sees it in the Qt host: the number typed, "Szukaj", the firms
// found, the one picked; the record then holds the firm's data.
#include <stdlib.h>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest/QTest>

#include "dane/globals.h"
#include "keldox/register_lookup.h"
#include "mirlet_testing/register_stub.h"
#include "qt_session.h"

namespace slownik {
namespace {

using testing::QtDictionarySession;
using testing::save_png;
using ui_qt::testing::child;
using ui_qt::testing::when_shown;

TEST_F(QtDictionarySession, TheRegisterWindowFindsAndPicksAFirm) {
  mirlet_testing::RegisterStub stub{MIRLET_REGISTER_RECORDS};
  setenv("MIRLET_GUS_URL", stub.url().c_str(), 1);
  setenv("MIRLET_GUS_KEY", "klucz", 1);
  const std::string saved = dane::GLO.LOCALPATH.str();
  dane::GLO.LOCALPATH = std::string(MIRLET_UTIL_DIR);
  dane::GLO.POLACZENIE_INTERNETOWE = 1;
  std::string form_png, list_png;
  int rows = 0;
  when_shown("PobierzGUS", [&](QWidget* form) {
    auto* number = child<QLineEdit>(form, "NUMER");
    if (number) QTest::keyClicks(number, "7781463200");
    form_png = save_png(form, "register_search");
    when_shown("PodmiotyGUS", [&](QWidget* list) {
      auto* view = child<QTableView>(list, "list");
      rows = view ? view->model()->rowCount() : 0;
      list_png = save_png(list, "register_found");
      if (view) QTest::keyClick(view, Qt::Key_Return);
    });
    if (auto* ok = form->findChild<QPushButton*>(QStringLiteral("ok"))) ok->click();
  });
  dane::RecordGroup firm("KON");
  for (const char* field : {"NAZWA", "NIP", "ULICA_LOKAL"}) firm.add(field);
  EXPECT_EQ(keldox::PODAJDANEGUS(firm), 1);
  dane::GLO.LOCALPATH = saved;
  unsetenv("MIRLET_GUS_URL");
  unsetenv("MIRLET_GUS_KEY");
  EXPECT_EQ(rows, 2) << "both activities of the NIP";
  EXPECT_EQ(firm.value("NAZWA"), "Usługi Transportowe Jan Kowalczyk") << "the first row, picked with Enter";
  EXPECT_EQ(firm.value("NIP"), "7781463200");
  EXPECT_EQ(firm.value("ULICA_LOKAL"), "Dachowa 7");
  EXPECT_FALSE(form_png.empty());
  EXPECT_FALSE(list_png.empty());
}

}  // namespace
}  // namespace slownik
