#include "article_photo.h"

#include <optional>
#include <string>

#include "dane/host.h"
#include "dane/table.h"
#include "keldox/files.h"
#include "keldox/messages.h"
#include "record_choice.h"

namespace app {
namespace {

std::optional<double> choose_article(const std::string& title) {
  return choose_record(
      title, "Artykuł",
      "select top 200 id_artykulu,nazwa+' ('+indeks_katalogowy+', magazyn '+cast(id_magazynu as "
      "varchar(10))+')' from artykul order by nazwa,id_magazynu",
      "Brak artykułów.");
}

// The article's record in the buffer of ART:, open on this thread while the object lives.
class ArticleRecord {
 public:
  explicit ArticleRecord(double id) : table_(*dane::find_table("ART")) {
    found_ = table_.open().ok();
    if (!found_) return;
    table_.clear();
    table_.set_number("ID_ARTYKULU", id);
    found_ = table_.fetch("PK_ARTYKUL").ok();
  }
  ~ArticleRecord() { table_.close(); }
  ArticleRecord(const ArticleRecord&) = delete;
  ArticleRecord& operator=(const ArticleRecord&) = delete;

  bool found() const { return found_; }
  dane::Table& table() { return table_; }

 private:
  dane::Table& table_;
  bool found_ = false;
};

void tell_file_failure(std::uint16_t code) {
  keldox::MSG_OSTRZEZENIE("Operacja na pliku nie powiodła się (kod błędu " + std::to_string(code) + ").");
}

}  // namespace

AfterEntry load_article_photo() {
  const auto article = choose_article("Wczytaj zdjęcie artykułu");
  if (!article) return AfterEntry::Continue;
  dane::FileDialog dialog;
  dialog.title = "Wybierz plik graficzny";
  dialog.filters = "*.jpg|*.jpg|*.bmp|*.bmp|Wszystkie pliki|*.*";
  const auto file = dane::host().choose_file(dialog);
  if (!file) return AfterEntry::Continue;
  ArticleRecord record(*article);
  if (!record.found()) {
    keldox::MSG_OSTRZEZENIE("Nie można odczytać artykułu.");
    return AfterEntry::Continue;
  }
  const std::uint16_t result = keldox::PLIKTOBLOB(*file, record.table(), "ZDJECIE");
  if (result == 36) {
    keldox::MSG_OSTRZEZENIE("Wybrany plik jest pusty.");
  } else if (result != 0 && result != 1) {  // 1: the size warning has been shown
    tell_file_failure(result);
  } else if (result == 0) {
    if (record.table().change().ok()) {
      keldox::MSG_INFORMACJA("Plik graficzny zapisany w bazie danych.");
    } else {
      keldox::MSG_OSTRZEZENIE("Nie można zapisać zdjęcia artykułu w bazie danych.");
    }
  }
  return AfterEntry::Continue;
}

AfterEntry save_article_photo() {
  const auto article = choose_article("Zapisz zdjęcie artykułu do pliku");
  if (!article) return AfterEntry::Continue;
  ArticleRecord record(*article);
  if (!record.found()) {
    keldox::MSG_OSTRZEZENIE("Nie można odczytać artykułu.");
    return AfterEntry::Continue;
  }
  if (record.table().blob("ZDJECIE").empty()) {
    keldox::MSG_INFORMACJA("Artykuł nie ma zdjęcia.");
    return AfterEntry::Continue;
  }
  dane::FileDialog dialog;
  dialog.kind = dane::FileDialog::Kind::Save;
  dialog.title = "Zapisz jako ...";
  dialog.initial_path = keldox::WALIDUJNAZWEPLIKU(record.table().text("NAZWA")) + ".jpg";
  dialog.filters = "*.jpg|*.jpg|Wszystkie pliki|*.*";
  const auto file = dane::host().choose_file(dialog);
  if (!file) return AfterEntry::Continue;
  if (const std::uint16_t result = keldox::BLOBTOPLIK(record.table(), "ZDJECIE", *file); result != 0)
    tell_file_failure(result);
  return AfterEntry::Continue;
}

}  // namespace app
