// Display pictures: dispatch to the families and the plain showing of unknown pictures.
#include "runtime/picture.h"

#include <cstdio>
#include <mutex>
#include <set>

#include "picture_forms.h"
#include "runtime/text.h"

namespace runtime {

using namespace picture_detail;

namespace {

// Debug builds name each unknown picture once, so that a wrong picture in a window is noticed; a
// bounded set keeps a stream of odd pictures from growing memory.
void report_unknown(std::string_view picture) {
#ifndef NDEBUG
  static std::mutex mutex;
  static std::set<std::string, std::less<>> reported;
  std::lock_guard lock(mutex);
  if (reported.size() >= 256 || reported.contains(picture)) return;
  reported.emplace(picture);
  std::fprintf(stderr, "runtime: unknown display picture \"%.*s\"\n", static_cast<int>(picture.size()),
               picture.data());
#else
  (void)picture;
#endif
}

std::optional<Form> known_form(std::string_view picture) {
  std::optional<Form> form = parse_form(picture);
  if (!form) report_unknown(picture);
  return form;
}

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

PictureKind picture_kind(std::string_view picture) {
  const std::optional<Form> form = parse_form(picture);
  if (!form) return PictureKind::unknown;
  return std::visit(Overloaded{[](const NumberForm&) { return PictureKind::number; },
                               [](const ExponentForm&) { return PictureKind::exponent; },
                               [](const TextForm&) { return PictureKind::text; },
                               [](const DateForm&) { return PictureKind::date; },
                               [](const TimeForm&) { return PictureKind::time; },
                               [](const PatternForm&) { return PictureKind::pattern; }},
                    *form);
}

std::string format_picture(std::string_view picture, const Decimal& value) {
  const std::optional<Form> form = known_form(picture);
  if (!form) return value.to_text();
  return std::visit(Overloaded{[&](const NumberForm& f) { return format_number(f, value); },
                               [&](const ExponentForm& f) { return format_exponent(f, value); },
                               [&](const TextForm& f) { return pad_to_width(value.to_text(), f.width); },
                               [&](const DateForm& f) { return format_date(f, value); },
                               [&](const TimeForm& f) { return format_time(f, value); },
                               [&](const PatternForm& f) { return format_pattern(f, value); }},
                    *form);
}

std::string format_picture(std::string_view picture, double value) {
  return format_picture(picture, Decimal::from_double(value));
}

std::string format_picture(std::string_view picture, std::string_view text) {
  const std::optional<Form> form = known_form(picture);
  if (!form) return std::string(text);
  if (const TextForm* f = std::get_if<TextForm>(&*form)) {
    return pad_to_width(text, static_cast<std::size_t>(f->width));
  }
  const Decimal value = Decimal::parse(text);
  if (!value.ok()) return std::string(text);
  return format_picture(picture, value);
}

PictureRead read_picture(std::string_view picture, std::string_view typed) {
  const std::optional<Form> form = known_form(picture);
  if (!form) {
    PictureRead r;
    r.blank = trim(typed).empty();
    r.text = std::string(typed);
    r.number = Decimal::parse(typed);
    return r;
  }
  return std::visit(Overloaded{[&](const NumberForm& f) { return read_number(f, typed); },
                               [&](const ExponentForm& f) { return read_exponent(f, typed); },
                               [&](const TextForm& f) {
                                 PictureRead r;
                                 r.text = std::string(trim_right(cut_to_width(typed, f.width)));
                                 r.blank = r.text.empty();
                                 return r;
                               },
                               [&](const DateForm& f) { return read_date(f, typed); },
                               [&](const TimeForm& f) { return read_time(f, typed); },
                               [&](const PatternForm& f) { return read_pattern(f, typed); }},
                    *form);
}

}  // namespace runtime
