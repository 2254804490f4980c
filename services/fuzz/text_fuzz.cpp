// Feeds arbitrary bytes and numbers to the text functions and identifier checks and traps on any
// result that breaks their contracts.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "keldox/code_page.h"
#include "keldox/identifiers.h"
#include "keldox/messages.h"
#include "keldox/text.h"
#include "runtime/text.h"

namespace {

void require(bool condition) {
  if (!condition) __builtin_trap();
}

bool only_plain_name_characters(const std::string& s) {
  for (const char c : s) {
    const bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    if (!ok) return false;
  }
  return true;
}

void check_code_pages(const std::string& text) {
  using namespace keldox;
  const std::string windows = MAZOVIATOWINDOWS(text);
  require(runtime::char_count(windows) == std::min<std::size_t>(text.size(), 199));
  const std::string mazovia = WINDOWSTOMAZOVIA(text);
  require(mazovia.size() == std::min<std::size_t>(runtime::char_count(text), 199));
  for (const CodePage cp : {CodePage::windows_1250, CodePage::cp852}) {
    require(encode_code_page(decode_code_page(text, cp), cp) == text);
    require(encode_code_page(text, cp).size() == runtime::char_count(text));
  }
}

void check_filters(const std::string& text) {
  using namespace keldox;
  const std::string plain = TEKSTZPOLNAANG(text);
  require(plain.size() <= 999 && only_plain_name_characters(plain));
  const std::string digits = TYLKOZNAKINUMERYCZNE(text);
  require(digits.size() <= 49 && digits.find_first_not_of("0123456789") == std::string::npos);
  const std::string one_line = WYTNIJZNAKIZOPISU(text);
  require(one_line.size() == text.size() && one_line.find('\n') == std::string::npos);
  const std::string collapsed = REPLACEALLSPACE(text);
  require(collapsed.find("  ") == std::string::npos && runtime::char_count(collapsed) <= 999);
}

void check_lines(const std::string& text, std::int32_t number, std::int32_t width,
                 const std::string& separator) {
  using namespace keldox;
  std::string line = "untouched";
  if (POBIERZLINIE(text, line, number))
    require(runtime::char_count(line) <= 500);
  else
    require(line == "untouched");

  std::int32_t position = 1;
  std::int32_t last = 0;
  for (std::size_t calls = 0; position != 0; ++calls) {
    require(calls <= runtime::char_count(text) + 1);
    const std::string piece = PODZIELLINIE(text, position, width);
    require(runtime::char_count(piece) <= 100);
    require(position == 0 || position > last);
    last = position;
    if (position != 0) ++position;
  }

  const std::string field = SPLITSTRING(text, number, separator);
  require(text.find(field) != std::string::npos);
}

void check_replacing(std::string text, const std::string& search, const std::string& replacement,
                     bool exact) {
  using namespace keldox;
  const std::string added = DODAJTEKSTJESLINIEMA(search, text);
  require(added.size() <= text.size() + search.size() + 1);
  require(runtime::char_count(PODAJADRES(text, search, replacement)) <= 99);
  REPLACETEXT(text, search, replacement, exact ? 1 : 0);
  require(runtime::trim_right(text).size() == text.size());
}

void check_identifiers(const std::string& text, std::uint8_t mode) {
  using namespace keldox;
  require(NIPOK(text) <= 1 && PESELOK(text) <= 1 && REGONOK(text) == 1);
  require(runtime::char_count(NIPUE(text, text, mode)) <= 20);
  const std::string check = IBAN_OBLICZSUMEKONTROLNA(text);
  require(check.size() == 2 && check >= "02" && check <= "98");
  const std::string converted = IBAN_KONWERSJA(text);
  require(converted.empty() || (converted.size() == 26 && IBAN_CZYPOPRAWNY(converted) == 1));
  require(IBAN_CZYPOPRAWNY(text) <= 1);
  require(LONGTOHEX(static_cast<std::int32_t>(text.size())).size() == 8);
  require(BYTETOHEX(mode).size() == 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto number = input.ConsumeIntegral<std::int32_t>();
  const auto width = input.ConsumeIntegral<std::int32_t>();
  const auto mode = input.ConsumeIntegral<std::uint8_t>();
  const std::string separator = input.ConsumeRandomLengthString(4);
  const std::string search = input.ConsumeRandomLengthString(16);
  const std::string replacement = input.ConsumeRandomLengthString(16);
  const std::string text = input.ConsumeRemainingBytesAsString();

  check_code_pages(text);
  check_filters(text);
  check_lines(text, number, width, separator);
  check_replacing(text, search, replacement, (mode & 1) != 0);
  check_identifiers(text, mode);
  keldox::WALIDACJA(text);
  return 0;
}
