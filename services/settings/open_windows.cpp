// The list of open windows kept as pairs of texts (GLO.KOLEJKAOTWARTYCHOKIEN).
#include <mutex>
#include <shared_mutex>

#include "dane/globals.h"
#include "keldox/window_register.h"
#include "runtime/text.h"

namespace keldox {
namespace {

using dane::OtwarteOknoEntry;

// The pair as the list holds it, so that texts longer than the fields still find their entry.
struct Pair {
  std::string_view long_text;
  std::string_view short_text;
};

Pair pair_of(std::string_view first, std::string_view second) {
  return Pair{runtime::cut_to_width(second, 254), runtime::cut_to_width(first, 99)};
}

}  // namespace

void ADDKOO(std::string_view first, std::string_view second) {
  auto& list = dane::GLO.KOLEJKAOTWARTYCHOKIEN;
  const Pair p = pair_of(first, second);
  std::lock_guard lock(list.mutex());
  if (list.find<OtwarteOknoEntry::ByBoth>(p.long_text, p.short_text)) return;
  list.buffer.DLUGI = p.long_text;
  list.buffer.KROTKI = p.short_text;
  list.add_in_order<OtwarteOknoEntry::ByBoth>();
}

void DELKOO(std::string_view first, std::string_view second) {
  auto& list = dane::GLO.KOLEJKAOTWARTYCHOKIEN;
  const Pair p = pair_of(first, second);
  std::lock_guard lock(list.mutex());
  if (list.fetch<OtwarteOknoEntry::ByBoth>(p.long_text, p.short_text)) list.remove();
}

bool ISKOO(std::string_view first, std::string_view second) {
  const auto& list = dane::GLO.KOLEJKAOTWARTYCHOKIEN;
  const Pair p = pair_of(first, second);
  std::shared_lock lock(list.mutex());
  return list.find<OtwarteOknoEntry::ByBoth>(p.long_text, p.short_text) != nullptr;
}

void FREEKOO() {
  auto& list = dane::GLO.KOLEJKAOTWARTYCHOKIEN;
  std::lock_guard lock(list.mutex());
  list.clear();
}

}  // namespace keldox
