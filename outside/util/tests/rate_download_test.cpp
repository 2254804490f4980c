// The module's rate downloads against recorded bank tables served on 127.0.0.1, failures included.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <string>
#include <vector>

#include "mirlet_testing/http_server.h"
#include "zorva_util/entry_points.h"

namespace {

using Server = mirlet_testing::LocalHttpServer;

std::string recorded(const std::string& name) {
  return mirlet_testing::read_file_text(std::string(MIRLET_RATE_TABLES) + "/" + name);
}

const std::string kA = "/api/exchangerates/tables/A/";
const std::string kC = "/api/exchangerates/tables/C/";
const std::string kXml = "?format=xml";

class RateDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    handle_ = dlopen(MIRLET_UTIL_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
    setenv("MIRLET_NBP_URL", (server_.base_url() + "/").c_str(), 1);
    setenv("MIRLET_ECB_URL", server_.base_url().c_str(), 1);
    setenv("MIRLET_RATES_CONNECT_TIMEOUT_MS", "500", 1);
    setenv("MIRLET_RATES_TIMEOUT_MS", "700", 1);
  }
  void TearDown() override {
    unsetenv("MIRLET_NBP_URL");
    unsetenv("MIRLET_ECB_URL");
    unsetenv("MIRLET_RATES_CONNECT_TIMEOUT_MS");
    unsetenv("MIRLET_RATES_TIMEOUT_MS");
    if (handle_ != nullptr) dlclose(handle_);
  }

  std::string call(const char* name) {
    auto* f = reinterpret_cast<const char* (*)()>(dlsym(handle_, name));
    return f == nullptr ? "<missing>" : f();
  }
  std::string call(const char* name, const char* argument) {
    auto* f = reinterpret_cast<const char* (*)(const char*)>(dlsym(handle_, name));
    return f == nullptr ? "<missing>" : f(argument);
  }
  void serve_nbp_day(const std::string& day, bool with_c = true) {
    server_.serve(kA + day + "/" + kXml, {200, recorded("nbp_a_" + day + ".xml")});
    if (with_c) server_.serve(kC + day + "/" + kXml, {200, recorded("nbp_c_" + day + ".xml")});
  }

  Server server_;
  void* handle_ = nullptr;
};

TEST_F(RateDownload, LatestNbpTableJoinsTableCOfItsDay) {
  server_.serve(kA + kXml, {200, recorded("nbp_a_2026-12-07.xml")});
  server_.serve(kC + "2026-12-07/" + kXml, {200, recorded("nbp_c_2026-12-07.xml")});
  const std::string text = call("PobierzKursyNBPwartosc");
  EXPECT_EQ(text.substr(0, text.find('\n')), "KURSY;NBP;2026-12-07;237/A/NBP/2026,237/C/NBP/2026");
  EXPECT_NE(text.find("\nEUR;4.2218;4.1796;4.2640\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nHUF;0.010958;0.010848;0.011067\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nUAH;0.095390;;\n"), std::string::npos) << "a currency of table A alone";
  EXPECT_EQ(server_.requests(), (std::vector<std::string>{kA + kXml, kC + "2026-12-07/" + kXml}));
}

TEST_F(RateDownload, NbpDayAsksThatDayAndGoesOnWithoutTableC) {
  serve_nbp_day("2026-12-04", false);
  const std::string text = call("PobierzKursyNBPwartoscNaDzien", "261204");
  EXPECT_EQ(text.substr(0, text.find('\n')), "KURSY;NBP;2026-12-04;236/A/NBP/2026");
  EXPECT_NE(text.find("\nEUR;4.2134;;\n"), std::string::npos) << text;
  EXPECT_EQ(server_.requests(),
            (std::vector<std::string>{kA + "2026-12-04/" + kXml, kC + "2026-12-04/" + kXml}));
  EXPECT_EQ(call("PobierzKursyNBPwartoscNaDzien", "261205"), "02") << "no table on a Saturday: 404";
}

TEST_F(RateDownload, EveryOtherNbpFailureIs01) {
  struct Case {
    const char* what;
    Server::Reply a;
    Server::Reply c;
  };
  const std::string a = recorded("nbp_a_2026-12-04.xml");
  const std::string c = recorded("nbp_c_2026-12-04.xml");
  const std::vector<Case> cases = {
      {"server error", {500, "Internal error"}, {200, c}},
      {"an HTML error page", {200, "<html><body><h1>Błąd</h1></body></html>", "text/html"}, {200, c}},
      {"a cut body", {200, a, "application/xml", Server::Mode::truncated}, {200, c}},
      {"a table of the wrong letter", {200, c}, {200, c}},
      {"table C failing", {200, a}, {503, "busy"}},
      {"table C cut", {200, a}, {200, c, "application/xml", Server::Mode::truncated}},
  };
  for (const Case& k : cases) {
    server_.clear();
    server_.serve(kA + "2026-12-04/" + kXml, k.a);
    server_.serve(kC + "2026-12-04/" + kXml, k.c);
    EXPECT_EQ(call("PobierzKursyNBPwartoscNaDzien", "261204"), "01") << k.what;
  }
  for (const char* text : {"", "16030", "1603O5", "161305", "160230"})
    EXPECT_EQ(call("PobierzKursyNBPwartoscNaDzien", text), "01") << "date text " << text;
}

TEST_F(RateDownload, AnAnswerThatNeverEndsIsBoundedByTheTimeout) {
  server_.serve(kA + kXml, {200, "", "application/xml", Server::Mode::endless});
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(call("PobierzKursyNBPwartosc"), "01");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST_F(RateDownload, NoServerIs01) {
  setenv("MIRLET_NBP_URL", "http://127.0.0.1:1", 1);
  setenv("MIRLET_ECB_URL", "http://127.0.0.1:1", 1);
  EXPECT_EQ(call("PobierzKursyNBPwartosc"), "01");
  EXPECT_EQ(call("PobierzKursyECBwartoscNaDzien", "2026-12-04"), "01");
}

TEST_F(RateDownload, RatesWithCommasReadAsWithPointsAndOddCodesPassUnchanged) {
  std::string a = recorded("nbp_a_2026-12-04.xml");
  a.replace(a.find("<Mid>4.2134</Mid>"), 17, "<Mid> 4,2134 </Mid>");
  a.replace(a.find("<Code>THB</Code>"), 16, "<Code>T'B</Code>");
  a.replace(a.find("<Code>USD</Code>"), 16, "<Code>U;D</Code>");
  a.replace(a.find("<Mid>0.3601</Mid>"), 17, "<Mid>-0.3601</Mid>");
  server_.serve(kA + "2026-12-04/" + kXml, {200, a});
  const std::string text = call("PobierzKursyNBPwartoscNaDzien", "261204");
  EXPECT_NE(text.find("\nEUR;4.2134;;\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nT'B;"), std::string::npos) << "quoting is the statement's business";
  EXPECT_EQ(text.find("U;D"), std::string::npos) << "a code the layout cannot carry is left out";
  EXPECT_EQ(text.find("NOK"), std::string::npos) << "a negative rate is left out";
}

// A table number that holds the head line's separators would shift the fields the import reads.
TEST_F(RateDownload, ATableNumberWithTheLayoutsSeparatorsIsLeftOut) {
  std::string a = recorded("nbp_a_2026-12-04.xml");
  const auto at = a.find("<No>");
  a.replace(at, a.find("</No>") - at, "<No>236/A;NBP,\n2026");
  server_.serve(kA + "2026-12-04/" + kXml, {200, a});
  const std::string text = call("PobierzKursyNBPwartoscNaDzien", "261204");
  ASSERT_EQ(text.rfind("KURSY;NBP;2026-12-04;\n", 0), 0u) << text;
  EXPECT_NE(text.find("\nEUR;4.2134;;\n"), std::string::npos) << text;
}

TEST_F(RateDownload, LatestEcbTableIsTheDailyCube) {
  server_.serve("/stats/eurofxref/eurofxref-daily.xml", {200, recorded("ecb_daily.xml")});
  const std::string text = call("PobierzKursyECBwartosc");
  EXPECT_EQ(text.substr(0, text.find('\n')), "KURSY;ECB;2026-12-07;");
  EXPECT_NE(text.find("\nUSD;1.0588;;\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nPLN;4.2209;;\n"), std::string::npos) << text;
}

TEST_F(RateDownload, EcbDayComesFromTheNinetyDayFileOrTheHistoryWhenOlder) {
  server_.serve("/stats/eurofxref/eurofxref-hist-90d.xml", {200, recorded("ecb_hist_90d.xml")});
  server_.serve("/stats/eurofxref/eurofxref-hist.xml", {200, recorded("ecb_hist.xml")});
  std::string text = call("PobierzKursyECBwartoscNaDzien", "2026-12-04");
  EXPECT_EQ(text.substr(0, text.find('\n')), "KURSY;ECB;2026-12-04;");
  EXPECT_NE(text.find("\nPLN;4.2167;;\n"), std::string::npos) << text;
  EXPECT_EQ(call("PobierzKursyECBwartoscNaDzien", "2026-12-05"), "02") << "a Saturday within 90 days";
  EXPECT_EQ(server_.requests().size(), 2u) << "the history is not asked for a day the 90 days cover";

  text = call("PobierzKursyECBwartoscNaDzien", "2016-03-04");
  EXPECT_EQ(text.substr(0, text.find('\n')), "KURSY;ECB;2016-03-04;");
  EXPECT_EQ(server_.requests().back(), "/stats/eurofxref/eurofxref-hist.xml");
  EXPECT_EQ(call("PobierzKursyECBwartoscNaDzien", "2016-03-05"), "02");
  EXPECT_EQ(call("PobierzKursyECBwartoscNaDzien", "2016-3-5"), "01");
}

TEST_F(RateDownload, EcbFailuresAre01) {
  server_.serve("/stats/eurofxref/eurofxref-daily.xml", {404, "Not found"});
  EXPECT_EQ(call("PobierzKursyECBwartosc"), "01") << "the latest file missing is a failure";
  server_.serve("/stats/eurofxref/eurofxref-hist-90d.xml",
                {200, recorded("ecb_hist_90d.xml"), "application/xml", Server::Mode::truncated});
  EXPECT_EQ(call("PobierzKursyECBwartoscNaDzien", "2026-12-04"), "01");
  server_.serve("/stats/eurofxref/eurofxref-hist-90d.xml", {200, "<gesmes:Envelope/>"});
  EXPECT_EQ(call("PobierzKursyECBwartoscNaDzien", "2026-12-04"), "01");
}

}  // namespace
