// The column configuration window of a browse: the user shows or hides, reorders, resizes and re-pictures
// the window's columns, locks leading ones, or goes back to the catalogue defaults.
//
// ColumnLayout is the window's logic without widgets: it works on a copy of the window's entries of
// INI_KOL_BRO and changes the list only in apply(). Columns the catalogue hides (UKRYTA) are not offered
// and keep their entries and positions; the offered columns take the other positions in their order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace keldox {

struct ConfiguredColumn {
  double id = 0;                   // ID_KOLUMNY
  std::int32_t number = 0;         // NUMER_KOLUMNY
  std::string caption;             // NAZWA_KOLUMNY
  std::int32_t default_width = 0;  // ROZMIAR_KOLUMNY
  std::int32_t width = 0;          // the width the column has when shown
  std::string picture;             // FORMAT_KOLUMNY
  bool shown = false;              // a hidden column is saved with width 0
  bool quantity = false;           // PODLEGA_OBCIECIU
};

class ColumnLayout {
 public:
  // The setting of INI_PAR_OKNO that holds how many leading columns are locked.
  static constexpr std::string_view kLockedSetting = "zablokowane";

  // Takes the window's columns from INI_KOL_BRO in the user's order, and the lock count.
  explicit ColumnLayout(std::string window);

  const std::string& window() const { return window_; }
  const std::vector<ConfiguredColumn>& columns() const { return columns_; }
  // How many leading columns are locked.
  std::size_t locked() const { return locked_; }
  bool is_locked(std::size_t index) const { return index < locked_; }

  // Indexes count from 0; an index outside the list changes nothing and answers false.
  bool set_shown(std::size_t index, bool shown);
  // A width below 1 is refused.
  bool set_width(std::size_t index, std::int32_t width);
  bool set_picture(std::size_t index, std::string_view picture);
  // Moves the column to index `to` (the others close up).
  bool move(std::size_t from, std::size_t to);
  // Locks or unlocks the column. The locked columns are always the leading ones: locking a column whose
  // predecessors are not all locked, or unlocking one while a later one stays locked, is refused with the
  // warning "Wszystkie kolumny do 1 do " + n + " muszą być zablokowane!" (n: the column that must close
  // the locked run).
  bool set_locked(std::size_t index, bool locked);
  // After the question "Czy chcesz przywrócić ustawienia domyślne?": the catalogue's widths, pictures and
  // order, every column shown except those of inactive classifier fields. False when the user says no.
  bool restore_defaults();

  // Writes widths (0 for a hidden column), positions and pictures into INI_KOL_BRO, and the lock count
  // into the window's setting kLockedSetting when the user has that setting.
  void apply() const;

 private:
  std::string window_;
  std::vector<ConfiguredColumn> columns_;
  std::vector<std::int32_t> catalogue_hidden_;  // the positions of the columns not offered
  std::size_t locked_ = 0;
};

// The window's title for a browse window name: "Konfiguracja kolumn kartoteki asortymentowej" for
// "Artykul_Brw" and so on; "Konfiguracja kolumn" for a name without a title of its own.
std::string column_configuration_title(std::string_view window);

// Opens the configuration window ("Konfiguracja_kolumn", help topic "obs_rej_kol.htm") for the browse
// window's columns: 1 when the user accepted the changes (they are in INI_KOL_BRO then), 0 otherwise.
// In the list "Popraw" edits a column, "Pokaż/ukryj" (Delete) shows or hides it, "Przywróć domyślne"
// (Insert) restores the defaults, "Wybierz" accepts and "Zamknij" leaves without changes.
std::uint8_t KONFIGURACJA_KOLUMN(std::string_view window);

}  // namespace keldox
