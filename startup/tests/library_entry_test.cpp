#include "start/library.h"

#include <gtest/gtest.h>

#include "dane/error_object.h"
#include "keldox/library.h"
#include "slownik/library.h"

namespace start {
namespace {

// One process, one run: the libraries start and end once, in the order of the chains. slownik starts
// TORVEN and the SYLVANEK run-time itself, so they come before KONTRAHENT; start's own later call of
// TORVEN finds it started already.
TEST(LibraryOrder, StartInitialisesAndReleasesEveryLibraryInOrder) {
  dane::ErrorObject error_object;
  auto* error = &error_object;
  start::INIT(error, nullptr);
  start::INIT(nullptr, nullptr);
  keldox::INIT(nullptr, nullptr);
  // every library kept the objects of the first call
  EXPECT_EQ(library().error_object(), error);
  EXPECT_EQ(keldox::library().error_object(), error);
  EXPECT_EQ(slownik::library().error_object(), error);
  EXPECT_EQ(dane::library().error_object(), error);
  start::KILL();
  start::KILL();
  EXPECT_EQ(dane::library_calls(),
            (std::vector<std::string>{
                "START:INIT",     "DANE:INIT",     "KELDOX:INIT",   "DOKUMENT:INIT",   "VELTARIS:INIT",
                "ADMIN:INIT",     "SLOWNIK:INIT",  "TORVEN:INIT",   "SYLVANEK:INIT",   "KONTRAHENT:INIT",
                "PRODUKCJA:INIT", "SAD:INIT",      "REMANENT:INIT", "CRM:INIT",        "START:KILL",
                "DANE:KILL",      "KELDOX:KILL",   "DOKUMENT:KILL", "VELTARIS:KILL",   "ADMIN:KILL",
                "SLOWNIK:KILL",   "TORVEN:KILL",   "SYLVANEK:KILL", "KONTRAHENT:KILL", "PRODUKCJA:KILL",
                "SAD:KILL",       "REMANENT:KILL", "CRM:KILL"}));
  // and released them at the end, so that nothing reaches them once the main program has destroyed them
  EXPECT_EQ(library().error_object(), nullptr);
  EXPECT_EQ(keldox::library().error_object(), nullptr);
  EXPECT_EQ(slownik::library().error_object(), nullptr);
  EXPECT_EQ(dane::library().error_object(), nullptr);
  EXPECT_NE(&dane::error_object(), error);  // the library's own
}

}  // namespace
}  // namespace start
