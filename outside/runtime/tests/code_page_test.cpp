// Conversions between the program's text and the bytes of the Windows-1250 and 852 code pages.
#include "runtime/code_page.h"

#include <gtest/gtest.h>

#include <ostream>

namespace runtime {
namespace {

struct CodePageRow {
  const char* name;
  CodePage code_page;
  const char* text;
  const char* bytes;
};

void PrintTo(const CodePageRow& row, std::ostream* out) {
  *out << row.name;
}

class CodePageBytes : public ::testing::TestWithParam<CodePageRow> {};

TEST_P(CodePageBytes, EncodesAndDecodesTheSameBytes) {
  const CodePageRow& row = GetParam();
  EXPECT_EQ(encode_code_page(row.text, row.code_page), row.bytes);
  EXPECT_EQ(decode_code_page(row.bytes, row.code_page), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Letters, CodePageBytes,
    ::testing::Values(
        CodePageRow{"ascii_unchanged_1250", CodePage::windows_1250, "Abc 123;", "Abc 123;"},
        CodePageRow{"polish_lower_1250", CodePage::windows_1250, "ąćęłńóśźż",
                    "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF"},
        CodePageRow{"polish_upper_1250", CodePage::windows_1250, "ĄĆĘŁŃÓŚŹŻ",
                    "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF"},
        CodePageRow{"polish_lower_852", CodePage::cp852, "ąćęłńóśźż", "\xA5\x86\xA9\x88\xE4\xA2\x98\xAB\xBE"},
        CodePageRow{"polish_upper_852", CodePage::cp852, "ĄĆĘŁŃÓŚŹŻ", "\xA4\x8F\xA8\x9D\xE3\xE0\x97\x8D\xBD"},
        CodePageRow{"undefined_1250_byte_survives", CodePage::windows_1250, "\u0081", "\x81"}),
    [](const auto& info) { return info.param.name; });

TEST(CodePageEncode, WritesQuestionMarkForWhatTheCodePageLacks) {
  EXPECT_EQ(encode_code_page("a€b", CodePage::cp852), "a?b");
  EXPECT_EQ(encode_code_page("日本", CodePage::windows_1250), "??");
  EXPECT_EQ(encode_code_page("a\xC5z\xFF", CodePage::windows_1250), "a?z?");
}

TEST(CodePageDecode, EveryByteGivesACharacterThatEncodesBack) {
  for (const CodePage code_page : {CodePage::windows_1250, CodePage::cp852}) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(encode_code_page(decode_code_page(all, code_page), code_page), all);
  }
}

TEST(CodePageDefines, OnlyTheBytesWindows1250LeavesUndefinedAreNotItsOwn) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    const bool undefined = byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98;
    EXPECT_EQ(code_page_defines(byte, CodePage::windows_1250), !undefined) << b;
    EXPECT_TRUE(code_page_defines(byte, CodePage::cp852)) << b;
  }
  unsigned char byte = 0;
  ASSERT_TRUE(code_page_byte(U'ł', CodePage::windows_1250, byte));
  EXPECT_EQ(byte, 0xB3);
  EXPECT_FALSE(code_page_byte(U'€', CodePage::cp852, byte));
  EXPECT_EQ(code_page_character(0x9C, CodePage::windows_1250), U'ś');
}

}  // namespace
}  // namespace runtime
