// Every description of the table of dictionary windows against the demo database: its columns exist, its
// orders page on a unique key, its refusals read as the dictionary's words, and its form adds, changes
// and deletes a record.
#include <algorithm>
#include <cstdlib>
#include <set>

#include "dane/record_store.h"
#include "dictionary_session.h"
#include "keldox/sql_text.h"
#include "pattern/description.h"
#include "pattern/dictionary_form.h"
#include "pattern/run.h"
#include "runtime/picture.h"
#include "runtime/text.h"

namespace slownik {
namespace {

using testing::DictionarySession;

std::string name_of(const ::testing::TestParamInfo<const Description*>& info) {
  return info.param->browse;
}

class EveryDictionary : public DictionarySession, public ::testing::WithParamInterface<const Description*> {
 protected:
  const Description& d() const { return *GetParam(); }
  dane::Table& table() const { return *dane::find_table(d().table); }
};

TEST_P(EveryDictionary, ItsColumnsAndSortFieldsAreColumnsOfItsTable) {
  for (const dane::Column& c : d().columns) EXPECT_TRUE(table().has_field(c.name)) << c.name;
  for (const SortSpec& s : d().sorts) {
    for (const std::string& f : s.fields) EXPECT_TRUE(table().has_field(f)) << s.name << ": " << f;
  }
}

TEST_P(EveryDictionary, EachSortOrderEndsOnTheUniqueKey) {
  const std::vector<std::string> key = table().primary_key_fields();
  ASSERT_FALSE(key.empty());
  for (const SortSpec& s : d().sorts) {
    ASSERT_GE(s.fields.size(), key.size()) << s.name;
    const std::vector<std::string> tail(s.fields.end() - static_cast<std::ptrdiff_t>(key.size()),
                                        s.fields.end());
    EXPECT_EQ(tail, key) << s.name;
  }
}

TEST_P(EveryDictionary, TheRefusalAtOpeningReadsAsTheDictionarySays) {
  if (d().permissions.base.empty()) GTEST_SKIP() << "asks no permission";
  if (d().permissions.single_code) GTEST_SKIP() << "opens without it, for looking only";
  start_session(3000003);
  host_.answer("OK");
  EXPECT_EQ(run_dictionary_browse(d(), dane::Request::None).response, dane::Response::Cancelled);
  const std::string expected = d().permissions.access_box_text.empty()
                                   ? "Brak uprawnień na dostęp do " + d().permissions.genitive + "!"
                                   : d().permissions.access_box_text;
  EXPECT_EQ(messages(), (std::vector<std::string>{"MIRLET: Ostrzeżenie: " + expected}));
}

// The width of a text picture "@s30"; 0 for any other.
std::size_t text_width(std::string_view picture) {
  if (picture.size() < 3 || picture.substr(0, 2) != "@s") return 0;
  return static_cast<std::size_t>(std::atoi(std::string(picture.substr(2)).c_str()));
}

// A value of the column's picture, different per pass, that no check of the demo data refuses, with a
// quote in it wherever it fits.
std::string sample(const dane::Column& c, int pass) {
  if (c.numeric) return std::to_string(7 + pass);
  const std::size_t width = text_width(c.picture);
  const std::string text = std::string("Q") + char('A' + pass) + "Z" + "'Test";
  return std::string(runtime::cut_to_width(text, std::max<std::size_t>(width, 1)));
}

TEST_P(EveryDictionary, TheFormAddsChangesAndDeletesARecord) {
  if (d().form.empty()) GTEST_SKIP() << "has no form";
  dane::TableRecordStore store(table());
  table().open();
  const auto editable = [&] {
    std::vector<const dane::Column*> out;
    for (const dane::Column& c : d().columns) {
      if (c.in_form && c.editable && c.kind != dane::FieldKind::Lookup) out.push_back(&c);
    }
    return out;
  }();
  ASSERT_FALSE(editable.empty());
  for (const dane::Column* c : editable) host_.form_set(c->name, sample(*c, 0));
  host_.form_ok();
  dane::GLOBALREQUEST = 1;
  EXPECT_EQ(run_dictionary_form(d(), store), dane::Response::Completed) << failures();
  const std::string where =
      " where " + editable.front()->name + "='" + keldox::sql_escape(sample(*editable.front(), 0)) + "'";
  const std::string from = " from " + (d().from.empty() ? table().name() : d().from);
  ASSERT_EQ(value_of("select count(*)" + from + where), "1") << failures();

  // The record read back by its key, changed and deleted through the same form.
  const std::vector<std::string> key = table().primary_key_fields();
  std::vector<std::string> key_values;
  for (const std::string& k : key) key_values.push_back(value_of("select " + k + from + where));
  ASSERT_TRUE(store.fetch(key_values).ok());
  const auto second = std::find_if(editable.rbegin(), editable.rend(), [&](const dane::Column* c) {
    return !c->numeric && c != editable.front();
  });
  ASSERT_NE(second, editable.rend());
  host_.form_set((*second)->name, sample(**second, 1)).form_ok();
  dane::GLOBALREQUEST = 2;
  EXPECT_EQ(run_dictionary_form(d(), store), dane::Response::Completed) << failures();
  EXPECT_EQ(value_of("select " + (*second)->name + from + where), sample(**second, 1));

  ASSERT_TRUE(store.fetch(key_values).ok());
  host_.answer("Tak");
  dane::GLOBALREQUEST = 3;
  EXPECT_EQ(run_dictionary_form(d(), store), dane::Response::Completed) << failures();
  EXPECT_EQ(value_of("select count(*)" + from + where), "0") << failures();
  table().close();
}

INSTANTIATE_TEST_SUITE_P(Table, EveryDictionary, ::testing::ValuesIn(descriptions()), name_of);

}  // namespace
}  // namespace slownik
