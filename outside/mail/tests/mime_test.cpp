// The message's encodings read back by an independent parser: what a reader's program sees must be what
// the sender wrote, whatever letters, lengths and line starts it holds.
#include <gtest/gtest.h>

#include <set>

#include "mime.h"
#include "mirlet_testing/mail_parse.h"
#include "mirlet_testing/smtp_server.h"

namespace mail::mime {
namespace {

bool complete_utf8(const std::string& bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > bytes.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    i += n;
  }
  return true;
}

Envelope polish_envelope() {
  Envelope e;
  e.from = Address{"Zakład Usług Łączności", "biuro@zaklad.pl"};
  e.to = {Address{"Paweł Żółkiewski", "pawel@firma.pl"}, Address{"", "anna@firma.pl"}};
  e.cc = {Address{"Kowalski, Jan \"Junior\"", "jan@firma.pl"}};
  e.subject = "Faktura VAT nr 12/2026 — zażółć gęślą jaźń ŻÓŁĆ";
  e.body = "Dzień dobry,\nw załączniku faktura.\n";
  e.date = "Wed, 09 Dec 2026 08:15:00 +0100";
  e.message_id = "<1.abc@zaklad.pl>";
  e.boundary = "=_mirlet_test";
  return e;
}

TEST(Mime, HeadersDecodeToTheTextsWrittenWithPolishLettersAndSpecialsInNames) {
  const auto mail = mirlet_testing::parse_mail(compose(polish_envelope()));
  ASSERT_TRUE(mail.parsed);
  EXPECT_EQ(mail.defects, "");
  EXPECT_EQ(mail.header("Subject"), "Faktura VAT nr 12/2026 — zażółć gęślą jaźń ŻÓŁĆ");
  EXPECT_EQ(mail.header("From"), "Zakład Usług Łączności <biuro@zaklad.pl>");
  EXPECT_EQ(mail.header("To"), "Paweł Żółkiewski <pawel@firma.pl>, anna@firma.pl");
  EXPECT_EQ(mail.header("Cc"), "\"Kowalski, Jan \\\"Junior\\\"\" <jan@firma.pl>");
  EXPECT_EQ(mail.header("Date"), "Wed, 09 Dec 2026 08:15:00 +0100");
  EXPECT_EQ(mail.header("Message-ID"), "<1.abc@zaklad.pl>");
  EXPECT_EQ(mail.header("MIME-Version"), "1.0");
  EXPECT_EQ(mail.charset, "utf-8");
  EXPECT_EQ(mail.body, "Dzień dobry,\nw załączniku faktura.\n");
  ASSERT_EQ(mail.parts.size(), 1u);
  EXPECT_EQ(mail.parts[0], "text/plain\tquoted-printable");
}

TEST(Mime, EncodedWordsStayWithinTheirLengthAndNeverSplitALetter) {
  std::string subject;
  for (int i = 0; i < 12; ++i) subject += "Zażółć gęślą jaźń ";
  const std::string encoded = header_text(subject);
  std::size_t start = 0;
  while (start < encoded.size()) {
    std::size_t end = encoded.find("\r\n ", start);
    if (end == std::string::npos) end = encoded.size();
    const std::string word = encoded.substr(start, end - start);
    EXPECT_LE(word.size(), 75u) << word;
    EXPECT_TRUE(word.starts_with("=?UTF-8?B?") && word.ends_with("?=")) << word;
    // Each word holds whole letters: its decoded bytes end on a letter's last byte.
    const std::string bytes =
        mirlet_testing::LocalSmtpServer::decode_base64(word.substr(10, word.size() - 12));
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(complete_utf8(bytes)) << word;
    start = end + 3;
  }
  Envelope e = polish_envelope();
  e.subject = subject;
  const auto mail = mirlet_testing::parse_mail(compose(e));
  EXPECT_EQ(mail.header("Subject"), subject);
  EXPECT_EQ(mail.defects, "");
}

TEST(Mime, AnAsciiSubjectStaysAsItIsUnlessItLooksEncoded) {
  EXPECT_EQ(header_text("Oferta 2026 (wersja 2)"), "Oferta 2026 (wersja 2)");
  Envelope e = polish_envelope();
  e.subject = "=?UTF-8?B?xYE=?= to nie litera";
  EXPECT_EQ(mirlet_testing::parse_mail(compose(e)).header("Subject"), e.subject);
}

TEST(Mime, QuotedPrintableKeepsLongLinesLeadingDotsTrailingBlanksAndEqualsSigns) {
  std::string long_line;
  for (int i = 0; i < 30; ++i) long_line += "łąka=żółw ";
  const std::string body = ".\n.kropka na początku\nspacje na końcu   \n\tTab\n" + long_line + "\n\nkoniec";
  const std::string qp = quoted_printable(body);
  for (std::size_t at = 0, end = 0; at < qp.size(); at = end + 2) {
    end = qp.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    EXPECT_LE(end - at, 76u);
    EXPECT_NE(qp[at], '.') << "a line of the encoded text starts with a dot";
    EXPECT_FALSE(end > at && (qp[end - 1] == ' ' || qp[end - 1] == '\t'));
  }
  Envelope e = polish_envelope();
  e.body = body;
  const auto mail = mirlet_testing::parse_mail(compose(e));
  EXPECT_EQ(mail.body, body + "\n");
}

TEST(Mime, CrLfLinesOfTheBodyComeOutAsTheSameLines) {
  Envelope e = polish_envelope();
  e.body = "pierwsza\r\ndruga\r\n";
  EXPECT_EQ(mirlet_testing::parse_mail(compose(e)).body, "pierwsza\ndruga\n");
}

TEST(Mime, AttachmentsKeepEveryByteAndTheirPolishOrLongNames) {
  Envelope e = polish_envelope();
  std::string binary;
  for (int round = 0; round < 40; ++round) {
    for (int b = 0; b < 256; ++b) binary += static_cast<char>(b);
  }
  const std::string long_name =
      "Zestawienie należności i zobowiązań kontrahentów za grudzień 2026 — wersja ostateczna.pdf";
  e.attachments = {{"Faktura ŁÓDŹ 12-2026.pdf", binary},
                   {long_name, "%PDF-1.4"},
                   {"plain \"quoted\".txt", "a"},
                   {"raport.csv", ""}};
  const auto mail = mirlet_testing::parse_mail(compose(e));
  ASSERT_TRUE(mail.parsed);
  EXPECT_EQ(mail.defects, "");
  ASSERT_EQ(mail.attachments.size(), 4u);
  EXPECT_EQ(mail.attachments[0].name, "Faktura ŁÓDŹ 12-2026.pdf");
  EXPECT_EQ(mail.attachments[0].bytes, binary);
  EXPECT_EQ(mail.attachments[1].name, long_name);
  EXPECT_EQ(mail.attachments[1].bytes, "%PDF-1.4");
  EXPECT_EQ(mail.attachments[2].name, "plain \"quoted\".txt");
  EXPECT_EQ(mail.attachments[3].name, "raport.csv");
  EXPECT_EQ(mail.attachments[3].bytes, "");
  EXPECT_EQ(mail.body, "Dzień dobry,\nw załączniku faktura.\n");
  ASSERT_EQ(mail.parts.size(), 5u);
  EXPECT_EQ(mail.parts[1], "application/pdf\tbase64");
  EXPECT_EQ(mail.parts[4], "text/csv\tbase64");
}

TEST(Mime, MessageIdsAndBoundariesAreFreshAndDatesWellFormed) {
  std::set<std::string> ids;
  for (int i = 0; i < 50; ++i) ids.insert(new_message_id("biuro@zaklad.pl"));
  EXPECT_EQ(ids.size(), 50u);
  EXPECT_TRUE(ids.begin()->ends_with("@zaklad.pl>"));
  EXPECT_NE(new_boundary(), new_boundary());
  Envelope e = polish_envelope();
  e.date = date_now();
  const auto mail = mirlet_testing::parse_mail(compose(e));
  EXPECT_EQ(mail.defects, "");
  EXPECT_EQ(mail.header("Date"), e.date);
  EXPECT_EQ(e.date.size(), 31u) << e.date;
}

}  // namespace
}  // namespace mail::mime
