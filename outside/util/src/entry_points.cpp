// The exported entry points: Windows-1250 in, UTF-8 inside, Windows-1250 out of a per-thread buffer.
#include "zorva_util/entry_points.h"

#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "code_page_boundary.h"
#include "file_writer.h"
#include "list_separator.h"
#include "query_bridge.h"
#include "rate_downloads.h"
#include "register_window.h"
#include "spreadsheet.h"

namespace {

std::string_view argument(const char* text) {
  return text == nullptr ? std::string_view{} : std::string_view{text};
}

// The answer of the calling thread's latest call (Windows-1250 bytes), valid until that thread calls
// again. Kept in a map rather than in thread_local storage: the sanitizers' leak checker misreads the
// dynamic thread-local block of a module loaded with dlopen and crashes at exit. Map nodes never move,
// so a returned pointer survives other threads' calls.
const char* answer(std::string bytes) {
  static std::mutex mutex;
  static std::unordered_map<std::thread::id, std::string> buffers;
  std::lock_guard lock(mutex);
  std::string& buffer = buffers[std::this_thread::get_id()];
  buffer = std::move(bytes);
  return buffer.c_str();
}

// Runs `body`; an exception (memory exhausted on a huge result) becomes `on_failure`.
template <class Body>
const char* guarded(Body body, std::string_view on_failure) {
  try {
    return answer(body());
  } catch (...) {
    return answer(std::string(on_failure));
  }
}

// The firm picked in the latest search window, kept for PobierzGUSwartosc.
std::string& picked_firm(std::unique_lock<std::mutex>& lock) {
  static std::mutex mutex;
  static std::string picked;
  lock = std::unique_lock(mutex);
  return picked;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) const char* UtworzPolaczenieSQL(const char* connection_text) {
  return guarded(
      [&] {
        const db::Status s =
            zorva_util::open_bridge_connection(zorva_util::windows1250_to_utf8(argument(connection_text)));
        return s.ok() ? std::string("1") : zorva_util::utf8_to_windows1250("-1" + s.text);
      },
      "-1");
}

__attribute__((visibility("default"))) const char* PobierzKolejkeSQL(const char* statement,
                                                                     const char* record_separator,
                                                                     const char* field_separator) {
  return guarded(
      [&] {
        return zorva_util::delimited_result(argument(statement), argument(record_separator),
                                            argument(field_separator));
      },
      "");
}

__attribute__((visibility("default"))) const char* SystemListSeparator() {
  return guarded([] { return zorva_util::system_list_separator(); }, ",");
}

__attribute__((visibility("default"))) const char* ZapiszDaneDoPliku(const char* file_path,
                                                                     const char* text) {
  return guarded(
      [&] {
        const std::string path = zorva_util::windows1250_to_utf8(argument(file_path));
        return zorva_util::utf8_to_windows1250(
            zorva_util::write_text_file(path, zorva_util::windows1250_to_utf8(argument(text))));
      },
      "-1");
}

__attribute__((visibility("default"))) const char* PobierzKursyNBPwartosc() {
  return guarded(
      [] {
        return zorva_util::utf8_to_windows1250(
            zorva_util::nbp_latest(zorva_util::rate_sources_from_environment()));
      },
      "01");
}

__attribute__((visibility("default"))) const char* PobierzKursyNBPwartoscNaDzien(const char* yymmdd) {
  return guarded(
      [&] {
        return zorva_util::utf8_to_windows1250(zorva_util::nbp_on_day(
            zorva_util::rate_sources_from_environment(), zorva_util::windows1250_to_utf8(argument(yymmdd))));
      },
      "01");
}

__attribute__((visibility("default"))) const char* PobierzKursyECBwartosc() {
  return guarded(
      [] {
        return zorva_util::utf8_to_windows1250(
            zorva_util::ecb_latest(zorva_util::rate_sources_from_environment()));
      },
      "01");
}

__attribute__((visibility("default"))) const char* PobierzKursyECBwartoscNaDzien(const char* iso_day) {
  return guarded(
      [&] {
        return zorva_util::utf8_to_windows1250(zorva_util::ecb_on_day(
            zorva_util::rate_sources_from_environment(), zorva_util::windows1250_to_utf8(argument(iso_day))));
      },
      "01");
}

__attribute__((visibility("default"))) void PobierzGUSokno() {
  {
    std::unique_lock<std::mutex> lock;
    picked_firm(lock).clear();
  }
  std::string picked;
  try {
    picked = zorva_util::search_register_window();
  } catch (...) {
    picked.clear();  // memory exhausted: nothing picked
  }
  std::unique_lock<std::mutex> lock;
  picked_firm(lock) = std::move(picked);
}

__attribute__((visibility("default"))) const char* PobierzGUSwartosc() {
  return guarded(
      [] {
        std::unique_lock<std::mutex> lock;
        return zorva_util::utf8_to_windows1250(picked_firm(lock));
      },
      "");
}

// The spreadsheet calls come once per cell: ASCII arguments (handles, cells, numbers) cross as they are.
__attribute__((visibility("default"))) const char* UtworzPlikExcel(const char* file_path) {
  return guarded(
      [&] {
        return zorva_util::utf8_to_windows1250(
            zorva_util::spreadsheet::create_workbook(zorva_util::windows1250_to_utf8(argument(file_path))));
      },
      "-1");
}

__attribute__((visibility("default"))) const char* UtworzArkuszExcel(const char* workbook,
                                                                     const char* sheet_name,
                                                                     const char* columns) {
  return guarded(
      [&] {
        return zorva_util::utf8_to_windows1250(zorva_util::spreadsheet::create_sheet(
            argument(workbook), zorva_util::windows1250_to_utf8(argument(sheet_name)), argument(columns)));
      },
      "-1");
}

__attribute__((visibility("default"))) const char* ZapiszDaneDoKomorkiTekst(const char* workbook,
                                                                            const char* cell,
                                                                            const char* text) {
  return guarded(
      [&] {
        return zorva_util::spreadsheet::write_text(argument(workbook), argument(cell),
                                                   zorva_util::windows1250_to_utf8(argument(text)));
      },
      "-1");
}

__attribute__((visibility("default"))) const char* ZapiszDaneDoKomorkiLiczba(const char* workbook,
                                                                             const char* cell,
                                                                             const char* number) {
  return guarded(
      [&] {
        return zorva_util::spreadsheet::write_number(argument(workbook), argument(cell), argument(number));
      },
      "-1");
}

__attribute__((visibility("default"))) const char* UstawKolorCzcionkiNaKomorce(const char* workbook,
                                                                               const char* cell,
                                                                               const char* colour) {
  return guarded(
      [&] {
        return zorva_util::spreadsheet::set_font_colour(argument(workbook), argument(cell), argument(colour));
      },
      "-1");
}

__attribute__((visibility("default"))) const char* UstawKolorTlaNaKomorce(const char* workbook,
                                                                          const char* cell,
                                                                          const char* colour) {
  return guarded(
      [&] {
        return zorva_util::spreadsheet::set_background_colour(argument(workbook), argument(cell),
                                                              argument(colour));
      },
      "-1");
}

__attribute__((visibility("default"))) const char* ZapiszArkuszExcel(const char* workbook) {
  return guarded(
      [&] {
        return zorva_util::utf8_to_windows1250(zorva_util::spreadsheet::close_workbook(argument(workbook)));
      },
      "-1");
}

}  // extern "C"
