// Classifier definitions for tests: written by hand into GLO.KOL_KLASYFIKATOROW, or read from the demo
// database's KLASYFIKATOR_POLE the way the session start loads them; and a demo database whose client a
// test may wrap (to record statements or inject faults).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/lists_settings.h"
#include "db/client.h"
#include "keldox/classifiers.h"
#include "keldox/sql.h"
#include "mirlet_testing/temp_folder.h"
#include "server/demo.h"
#include "server/server.h"

namespace keldox::testing {

struct FieldSpec {
  std::string group;
  std::int32_t number = 0;
  std::string caption;
  std::string column;
  std::string type = "tekst";
  std::uint8_t kind = 0;
  std::string list{};
  std::string picture{};
  std::uint8_t active = 1;
  std::uint8_t required = 0;
  std::string function{};
  std::uint8_t pass_record = 0;
  std::string default_value{};
  std::uint32_t dictionary = 0;
  std::uint8_t read_only = 0;
  std::string application{};
};

inline void add_definition(const FieldSpec& f) {
  auto& list = dane::GLO.KOL_KLASYFIKATOROW;
  list.clear_buffer();
  auto& e = list.buffer;
  e.KOD_KLAS_GRUPY = f.group;
  e.NUMER_POLA = f.number;
  e.NAZWA_POLA = f.caption;
  e.NAZWA_POLA_MAP = f.column;
  e.TYP_DANYCH = f.type;
  e.TYP_POLA = f.kind;
  e.WARTOSCI_LISTY = f.list;
  e.MASKA_POLA = f.picture;
  e.CZY_AKTYWNE = f.active;
  e.CZY_WYMAGANE = f.required;
  e.proc_nazwa = f.function;
  e.proc_id_dokumentu = f.pass_record;
  e.WARTOSC_DOMYSLNA = f.default_value;
  e.ID_SLOWNIKA = f.dictionary;
  e.nie_edytowany = f.read_only;
  e.path_app_obiektu = f.application;
  list.add_in_order<dane::KlasyfikatorEntry::ByGroupAndNumber>();
}

// Reads every definition of the database's KLASYFIKATOR_POLE into the session list.
inline void load_definitions_from_database() {
  EXECSQL(
      "select KOD_KLAS_GRUPY, NUMER_POLA, NAZWA_POLA, NAZWA_POLA_MAP, TYP_DANYCH, TYP_POLA, WARTOSCI_LISTY, "
      "MASKA_POLA, CZY_AKTYWNE, CZY_WYMAGANE, PROC_NAZWA, PROC_ID_DOKUMENTU, WARTOSC_DOMYSLNA, ID_SLOWNIKA, "
      "NIE_EDYTOWANY, PATH_APP_OBIEKTU from KLASYFIKATOR_POLE");
  auto number = [](std::size_t n) { return std::stoi("0" + column(n)); };
  while (next_row()) {
    add_definition({column(1), number(2), column(3), column(4), column(5),
                    static_cast<std::uint8_t>(number(6)), column(7), column(8),
                    static_cast<std::uint8_t>(number(9)), static_cast<std::uint8_t>(number(10)), column(11),
                    static_cast<std::uint8_t>(number(12)), column(13), static_cast<std::uint32_t>(number(14)),
                    static_cast<std::uint8_t>(number(15)), column(16)});
  }
  CLOSESQL();
}

// The firm's "SynchroArt" in the session's parameter list.
inline void set_article_synchronisation(std::string_view value) {
  auto& list = dane::S_PARAMKONFQ;
  list.clear_buffer();
  list.buffer.KOD = "SYNCHROART";  // the list keeps codes in upper case
  if (list.fetch<dane::ParamKonfEntry::ByCode>()) {
    list.buffer.WARTOSC = value;
    list.put();
    return;
  }
  list.buffer.MASKA = "@S20";
  list.buffer.WARTOSC = value;
  list.add_in_order<dane::ParamKonfEntry::ByCode>();
}

// A fresh demo database; the session's client is the demo's own unless a test installs a wrapper of it.
class ClassifierDemo {
 public:
  ClassifierDemo() {
    dane::reset_session();
    status_ = server::make_demo_database(folder_.file("demo.db"), server::DemoSize::Demo);
    if (status_.ok()) status_ = server::connect("sqlite:" + folder_.file("demo.db"), client_);
    if (status_.ok()) dane::install_database(client_.get());
    dane::GLO.ID_FIRMY = 1;
    dane::GLO.ID_UZYTKOWNIKA = 3000001;
    if (status_.ok()) load_definitions_from_database();
  }
  ~ClassifierDemo() {
    dane::install_database(nullptr);
    client_.reset();
    dane::reset_session();
  }
  ClassifierDemo(const ClassifierDemo&) = delete;
  ClassifierDemo& operator=(const ClassifierDemo&) = delete;

  bool ok() const { return status_.ok(); }
  const std::string& error() const { return status_.text; }
  db::Client& client() { return *client_; }

 private:
  mirlet_testing::TempFolder folder_{"classifierdemo"};
  db::Status status_;
  std::unique_ptr<db::Client> client_;
};

}  // namespace keldox::testing
