// Permissions of the logged-in user: the grant lists loaded once per session, the checks that windows
// make before they show data or allow an action, report access, the contractor object-list condition and
// the password prompt of protected functions.
//
// Contract of the checks (POBIERZUPRAWNIENIE, POBIERZFLAGEUPRAWNIENIA, DOSTEPDOWLASNYCHDOKUMENTOW,
// DOSTEPDORAPORTUOK): they answer from ACCESSQ, UPRAWNQ and DOSTEPRAPORTOWQ only, touch neither the
// database nor the heap, and may run on any thread, also while LADUJUPRAWNIENIA reloads the lists (each
// list is read under its shared lock and replaced whole under its exclusive one). Codes compare in upper
// case, without trailing blanks, on their first 20 characters. The built-in administrator 3000001 has
// every permission and every report without any list being read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace keldox {

// The user identifier of the built-in administrator.
inline constexpr double kAdministratorId = 3000001;

// An object that narrows a check (a warehouse, a document type ...). Omitted is not the same as 0: an
// omitted first object of a per-warehouse code ("M" among its kind letters) stands for the current
// warehouse, and an omitted second object ends the check one level up.
using PermissionObject = std::optional<std::int32_t>;

// The flag letters of a limited grant, held inline so that a check never allocates: empty, or exactly 20
// characters padded with blanks. Comparisons ignore the trailing blanks.
class FlagText {
 public:
  static constexpr std::size_t width = 20;

  FlagText() = default;
  // The first 20 characters of `letters`, padded with blanks to 20.
  static FlagText padded(std::string_view letters);

  std::string_view view() const { return {bytes_.data(), size_}; }
  std::string_view clipped() const;
  std::string str() const { return std::string(view()); }
  bool empty() const { return size_ == 0; }
  // Whether the letters hold `letter` (exact case).
  bool contains(std::string_view letter) const { return view().find(letter) != std::string_view::npos; }
  operator std::string_view() const { return view(); }  // NOLINT: used wherever a text is
  friend bool operator==(const FlagText& a, std::string_view b);

 private:
  // 20 characters of at most 4 bytes each, blanks included.
  std::array<char, width * 4> bytes_{};
  std::size_t size_ = 0;
};

// Reloads ACCESSQ (the user's grants in GLO.ID_FIRMY from all active groups; one entry per code and
// objects, full access winning over limited, otherwise the first row read), UPRAWNQ (the code catalogue,
// through the query bridge with the row-by-row fallback) and DOSTEPRAPORTOWQ. A failing statement leaves
// its list empty, so that every check answers 0.
void LADUJUPRAWNIENIA();
// Reloads DOSTEPRAPORTOWQ: one entry per report grant row, a report granted twice keeps both entries.
void LADUJUPRAWNIENIARAPORTU();
// Indexes ACCESSQ and UPRAWNQ as they stand, for lists filled by other means than LADUJUPRAWNIENIA (which
// indexes them itself). While the index describes the lists a check is a few probes of flat tables; any
// later change of either list retires it and checks search the lists, with the same answers.
void index_permissions();

// 0 no access, 1 full access, otherwise the limited kind (2). A code missing from the catalogue, or
// without a grant at every level down to the most specific one asked for, answers 0; a full grant at a
// more general level answers 1 for everything below it. Only object1 and object2 are read.
std::uint8_t POBIERZUPRAWNIENIE(std::string_view code, PermissionObject object1 = std::nullopt,
                                PermissionObject object2 = std::nullopt,
                                PermissionObject object3 = std::nullopt,
                                PermissionObject object4 = std::nullopt,
                                PermissionObject object5 = std::nullopt);

// The flag letters of the code's general grant when it is limited (kind 2); empty otherwise and for the
// administrator. The objects are accepted for the callers' sake and not read.
FlagText POBIERZFLAGEUPRAWNIENIA(std::string_view code, PermissionObject object1 = std::nullopt,
                                 PermissionObject object2 = std::nullopt,
                                 PermissionObject object3 = std::nullopt,
                                 PermissionObject object4 = std::nullopt,
                                 PermissionObject object5 = std::nullopt);

// Whether the user may see only his own documents of this kind: the code's flag letters hold "W".
bool DOSTEPDOWLASNYCHDOKUMENTOW(std::string_view code);

// The access kind of the report's first grant, 0 when there is none; 1 for the administrator.
std::uint8_t DOSTEPDORAPORTUOK(std::int32_t report_id);

// For the code "OKontr" (exact case) with limited access, and `flag` 0 or "D" among its flag letters: the
// condition (at most 1000 characters) that keeps a contractor browse, alias A, to the contractors of the
// object lists of the user's groups. Otherwise the empty text.
std::string FILTRUPRAWTYLKOWGLISTZAZN(std::string_view code, std::uint8_t flag = 0);

// Whether a protected function may run. Unless the firm parameter "BlokFuncHaslo" is "Tak", and unless the
// function is in the catalogue mag_funkcja, 1 at once. Otherwise the modal prompt "HasloFunkcji" asks for
// identifier and password: 1 when they authorise the function, 0 when the user cancels. A wrong password
// is a warning and the prompt stays open.
std::uint8_t HASLOFUNKCJI(std::string_view function_code);

}  // namespace keldox
