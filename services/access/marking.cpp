// Record marking: the statements that maintain and count the marks table.
#include "keldox/marking.h"

#include <array>
#include <chrono>
#include <thread>

#include "dane/database.h"
#include "dane/globals.h"
#include "dane/popup.h"
#include "dane/window.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "keldox/statement_window.h"
#include "runtime/number_text.h"
#include "runtime/text.h"
#include "sql/zaz_channel.h"

namespace keldox {
namespace {

constexpr std::size_t kStatementCopy = 20'000;
constexpr std::string_view kWaitText = "Proszę czekać - trwa zaznaczanie ... ";
constexpr int kInversionShift = 25'000;

// The position conditions a browse adds while paging, in the order they are cut.
const std::array<std::string, 85>& paging_markers() {
  static const std::array<std::string, 85> markers = [] {
    std::array<std::string, 85> m;
    std::size_t n = 0;
    auto add = [&](std::string_view column, std::initializer_list<std::string_view> comparisons) {
      for (auto c : comparisons) m[n++] = "AND  (  A." + std::string(column) + std::string(c);
    };
    for (auto column : {"ID_FIRMY",
                        "ID_MAGAZYNU",
                        "ID_DOK_MAGAZYNOWEGO",
                        "ID_DOK_HANDLOWEGO",
                        "ID_ZAMOWIENIA",
                        "ID_SADU",
                        "ID_POZYCJI_DOK_MAG",
                        "ID_POZYCJI_ZAMOWIENIA",
                        "ID_BUFORA",
                        "WARTOSC_NETTO",
                        "KONTRAHENT",
                        "PLATNIK",
                        "ID_TRASY",
                        "KWOTA",
                        "TYTULEM",
                        "NR_WYCIAGU",
                        "NAZWA_OPERATORA",
                        "WYROZNIK",
                        "DATA_OTRZYMANIA",
                        "KOD_KRESKOWY",
                        "ID_SERWIS_ZLECENIE",
                        "ID_POZYCJI_KOSZTORYSU",
                        "DATA_ZLECENIA",
                        "DATA_PRZYJECIA",
                        "DATA_ZAKONCZENIA",
                        "PRACOWNIK",
                        "NAZWA_URZADZENIA",
                        "NR_SERYJNY",
                        "NR_FABRYCZNY"}) {
      add(column, {" <", " >"});
    }
    add("NUMER", {"  >=", " <", " >"});
    for (auto column : {"DATA", "DATA_WYSTAWIENIA", "TERMIN_PLATNOSCI", "SYMBOL", "KONTOFK"}) {
      add(column, {" >", " <", "  >="});
    }
    add("ID_ROZRACHUNKU", {" <"});
    add("ID_POZYCJI_SCHOWKA", {" <=", " >=", " <", " >"});
    add("\"ID_UZYTKOWNIKA\"", {" <", " >", " <=", " >="});
    return m;
  }();
  return markers;
}

std::string user() {
  return sql_id(dane::GLO.ID_UZYTKOWNIKA);
}

void cut_before(std::string& text, std::string_view marker) {
  const std::size_t at = text.find(marker);
  if (at != std::string::npos) text.erase(at);
}

// Holds the server's lock of the user's list for the life of a whole-set operation. A lock another session
// holds is waited for; the server hands over one left behind by a session that ended without releasing it.
class ListLock {
 public:
  explicit ListLock(std::int32_t use) : key_(user() + "," + std::to_string(use)) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      if (FUNCSQLZAZ("call JL_ZaznaczoneBlokuj(" + key_ + ")", 1) == "1") return;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  ~ListLock() { EXECSQLZAZ("call JL_ZaznaczoneZwolnij(" + key_ + ")"); }
  ListLock(const ListLock&) = delete;
  ListLock& operator=(const ListLock&) = delete;

 private:
  static constexpr int kAttempts = 6'000;  // a minute
  std::string key_;
};

std::string selected_ids(std::string_view id_expression, const std::string& from_part) {
  return "select distinct " + std::string(id_expression) + "  " + from_part;
}

std::string insert_selected(std::int32_t use, std::string_view id_expression, const std::string& from_part) {
  return "insert into zaznaczone (id,uzycie,id_sesji) select distinct " + std::string(id_expression) + "," +
         std::to_string(use) + "," + user() + "  " + from_part;
}

}  // namespace

std::string marking_from_part(std::string_view browse_statement) {
  std::string text = runtime::to_upper(runtime::cut_to_width(browse_statement, kStatementCopy));
  if (text.find("FROM") == std::string::npos) return {};
  cut_before(text, "ORDER BY");
  for (const auto& marker : paging_markers()) cut_before(text, marker);
  text.erase(runtime::trim_right(text).size());
  const std::size_t from = text.find("FROM");
  return from == std::string::npos ? std::string() : text.substr(from);
}

void ZAZNACZSQL(std::int32_t use, double id, double id2) {
  const std::string u = std::to_string(use);
  if (id2 == 0) {
    EXECSQLZAZ("Call JL_Zaznacz (" + user() + "," + u + "," + sql_id(id) + ")");
    return;
  }
  EXECSQLZAZ("if not exists (select 1 from zaznaczone with (nolock) where id_sesji= " + user() +
             " and uzycie= " + u + " and id= " + sql_id(id) + " and id2= " + sql_id(id2) + ") begin  " +
             " insert into zaznaczone (id_sesji,uzycie,id,id2) values(" + user() + "," + u + "," +
             sql_id(id) + "," + sql_id(id2) + ") end ");
}

void ODZNACZSQL(std::int32_t use, double id) {
  EXECSQLZAZ("Call JL_Odznacz (" + user() + "," + std::to_string(use) + "," + sql_id(id) + ")");
}

void ODZNACZALLSQL(std::int32_t use) {
  EXECSQLZAZ("Call JL_OdznaczAll (" + user() + "," + std::to_string(use) + ")");
}

std::int32_t ILEZAZNACZONYCH(std::int32_t use) {
  const std::string count =
      FUNCSQLZAZ("select count(*) from zaznaczone with (nolock) where uzycie=" + std::to_string(use) +
                 " and id_sesji=" + user());
  return static_cast<std::int32_t>(runtime::leading_integer(count).value_or(0));
}

std::int32_t ZAZNACZALLSQL(std::int32_t use, std::string_view id_expression,
                           std::string_view browse_statement) {
  const std::string from_part = marking_from_part(browse_statement);
  if (!from_part.empty()) {
    const ListLock lock(use);
    EXECSQLZAZ("delete from zaznaczone where id_sesji=" + user() + " and uzycie=" + std::to_string(use) +
               " and id in (" + selected_ids(id_expression, from_part) + ")");
    EXECSQLWIN(insert_selected(use, id_expression, from_part), kWaitText);
  }
  return ILEZAZNACZONYCH(use);
}

std::int32_t INWERSJASQL(std::int32_t use, std::string_view id_expression,
                         std::string_view browse_statement) {
  const std::string from_part = marking_from_part(browse_statement);
  if (!from_part.empty()) {
    const std::string u = std::to_string(use);
    const ListLock lock(use);
    EXECSQL("update zaznaczone set uzycie=uzycie+" + std::to_string(kInversionShift) + " where id_sesji=" +
            user() + " and uzycie=" + u + " and id in (" + selected_ids(id_expression, from_part) + ")");
    EXECSQLWIN(insert_selected(use, id_expression, from_part), kWaitText);
    EXECSQLWIN("delete from zaznaczone where id_sesji=" + user() + " and uzycie=" + u + " and id in (" +
                   "select id from zaznaczone where id_sesji=" + user() + " and uzycie=25000+" + u + ")",
               kWaitText);
    EXECSQL("delete from zaznaczone where id_sesji=" + user() + " and uzycie=25000+" + u);
  }
  return ILEZAZNACZONYCH(use);
}

void DISPLAYZAZNACZONE(dane::Window& window, std::string_view control, std::int32_t count,
                       std::string_view noun, std::int32_t total) {
  std::string text =
      "Ilość zaznaczonych " + std::string(runtime::trim_right(noun)) + " : " + std::to_string(count);
  text += total > 0 ? "/" + std::to_string(total) : std::string("\r\nPrawy klawisz-oblicz wszystkie");
  window.tooltips().add(control, text);
  // The marking button is a toolbar button of the browse: its label stays, its icon follows the count.
  const dane::ToolButton* button = window.toolbar().find(control);
  const std::string label = button ? dane::parse_item_text(button->text).label : std::string();
  const std::string icon = count > 0 ? "~boxon.ico" : "~boxoff.ico";
  window.toolbar().add_button(control, "[31848(" + icon + ")]" + label, text);
}

namespace {

std::uint8_t saved_marks_call(std::string_view procedure, std::int32_t first, std::int32_t second) {
  EXECSQL("&RetCode = call " + std::string(procedure) + "(" + sql_id(dane::GLO.ID_FIRMY) + "," + user() +
          "," + std::to_string(first) + "," + std::to_string(second) + ")");
  const std::uint8_t ret = dane::database().ret_code(db::Channel::VAX);
  CLOSESQL();
  return ret;
}

}  // namespace

std::uint8_t ZACHOWAJ_ZORVA_ZAZNACZONE(std::int32_t first, std::int32_t second) {
  return saved_marks_call("RM_Zachowaj_ZORVA_zaznaczone", first, second);
}

std::uint8_t PRZYWROC_ZORVA_ZAZNACZONE(std::int32_t first, std::int32_t second) {
  return saved_marks_call("RM_Przywroc_ZORVA_zaznaczone", first, second);
}

}  // namespace keldox
