// Tests of filling list records field by field from texts, as delimited query results arrive.
#include "dane/record_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "dane/list_target.h"
#include "dane/lists_settings.h"
#include "dane/lists_startup.h"

namespace dane {
namespace {

TEST(AssignFromText, WholeNumberFieldsTruncateAndHoldAtTheirBounds) {
  std::uint8_t flag = 7;
  assign_from_text(flag, "1");
  EXPECT_EQ(flag, 1);
  assign_from_text(flag, "300");
  EXPECT_EQ(flag, 255);
  assign_from_text(flag, "-4");
  EXPECT_EQ(flag, 0);
  std::int32_t number = 0;
  assign_from_text(number, "-12.9");
  EXPECT_EQ(number, -12);
  assign_from_text(number, "99999999999");
  EXPECT_EQ(number, std::numeric_limits<std::int32_t>::max());
  std::int16_t kind = 0;
  assign_from_text(kind, "-40000");
  EXPECT_EQ(kind, std::numeric_limits<std::int16_t>::min());
}

TEST(AssignField, FillsTheNthFieldInDeclarationOrder) {
  ParamKonfEntry entry;
  EXPECT_TRUE(assign_field(entry, 1, "145"));
  EXPECT_TRUE(assign_field(entry, 2, "DOMKASA"));
  EXPECT_TRUE(assign_field(entry, 3, "@n3"));
  EXPECT_TRUE(assign_field(entry, 4, "12"));
  EXPECT_EQ(entry.ID_POZYCJI, 145);
  EXPECT_EQ(entry.KOD, "DOMKASA");
  EXPECT_EQ(entry.MASKA, "@n3");
  EXPECT_EQ(entry.WARTOSC, "12");
}

TEST(AssignField, PositionsOutsideTheRecordChangeNothing) {
  ParamKonfEntry entry;
  entry.KOD = "X";
  EXPECT_FALSE(assign_field(entry, 0, "A"));
  EXPECT_FALSE(assign_field(entry, field_count<ParamKonfEntry>() + 1, "A"));
  EXPECT_EQ(entry.KOD, "X");
  EXPECT_EQ(entry.ID_POZYCJI, 0);
}

TEST(AssignField, TextsAreCutAtTheFieldWidthWithoutSplittingALetter) {
  OknoEntry window;
  EXPECT_TRUE(assign_field(window, 2, std::string(19, 'A') + "ŻÓŁW"));
  EXPECT_EQ(window.NAZWA.view(), std::string(19, 'A') + "Ż");
  EXPECT_EQ(runtime::char_count(window.NAZWA.view()), 20u);

  KlasyfikatorEntry field;
  const std::string path = std::string(499, 'x') + "łódź";
  EXPECT_TRUE(assign_field(field, 16, path));
  EXPECT_EQ(field.path_app_obiektu.view(), std::string(499, 'x') + "ł");
  EXPECT_TRUE(assign_field(field, 17, "1"));
  EXPECT_EQ(field.nie_edytowany, 1);
}

// A loader that knows nothing of the record type: one record per line, fields split at ';'.
void load_lines(ListTarget target, std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    target.clear_buffer();
    for (std::size_t position = 1; position <= target.field_count(); ++position) {
      const std::size_t cut = std::min(line.find(';'), line.size());
      target.assign(position, line.substr(0, cut));
      if (cut == line.size()) break;
      line.remove_prefix(cut + 1);
    }
    target.add();
  }
}

TEST(ListTarget, FillsAnyListThroughOneLoader) {
  SessionList<ParamKonfEntry> parameters;
  parameters.buffer.WARTOSC = "stale";
  load_lines(parameters, "500;DOMKASA;@n3;12\n145;IBAN;@S34\n7;X;@n1;1;surplus");
  ASSERT_EQ(parameters.count(), 3u);
  EXPECT_EQ(parameters.entry(1)->ID_POZYCJI, 500);
  EXPECT_EQ(parameters.entry(1)->WARTOSC, "12");
  EXPECT_EQ(parameters.entry(2)->KOD, "IBAN");
  EXPECT_TRUE(parameters.entry(2)->WARTOSC.blank());  // a missing piece leaves its field cleared
  EXPECT_EQ(parameters.entry(3)->WARTOSC, "1");

  SessionList<MagazynEntry> warehouses;
  load_lines(warehouses, "3;1\n9;0");
  ASSERT_EQ(warehouses.count(), 2u);
  EXPECT_EQ(warehouses.entry(1)->SYSTEM_SPRZEDAZY, 1);
  EXPECT_EQ(warehouses.entry(2)->ID_MAGAZYNU, 9u);
}

}  // namespace
}  // namespace dane
