// The condition that keeps a contractor browse to the object lists of the user's groups.
#include <string>

#include "dane/globals.h"
#include "keldox/permissions.h"
#include "keldox/sql_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

constexpr std::string_view kContractorCode = "OKontr";
// Object lists of this use hold contractors.
constexpr std::string_view kContractorListUse = "120";
constexpr std::size_t kConditionWidth = 1000;

}  // namespace

std::string FILTRUPRAWTYLKOWGLISTZAZN(std::string_view code, std::uint8_t flag) {
  // The exact code only: the check is by name, not by the permission lookup's upper case.
  if (runtime::trim_right(code) != kContractorCode) return {};
  if (POBIERZUPRAWNIENIE(kContractorCode, 0, 0) != 2) return {};
  if (flag != 0 && !POBIERZFLAGEUPRAWNIENIA(kContractorCode).contains("D")) return {};
  const std::string condition =
      "A.id_kontrahenta in (select id_elementu from MAG_ELEMENTY_LISTY_OBIEKTOW melo with (nolock) inner "
      "join  "
      "MAG_LISTA_OBIEKTOW mel with (nolock) on (melo.id_listy=mel.id_listy and mel.id_firmy=" +
      sql_id(dane::GLO.ID_FIRMY) + " and mel.uzycie=" + std::string(kContractorListUse) + ") " +
      " inner join MAG_GRUPAUZYTKOWNIKOW_LISTY_OBIEKTOW mglo  with (nolock) on "
      "(mglo.id_listy=mel.id_listy) " +
      " inner join UZYTKOWNIKGRUPY ug with (nolock)  on (ug.id_grupy=mglo.id_grupy) " +
      " where ug.id_uzytkownika=" + sql_id(dane::GLO.ID_UZYTKOWNIKA) + ")";
  return std::string(runtime::cut_to_width(condition, kConditionWidth));
}

}  // namespace keldox
