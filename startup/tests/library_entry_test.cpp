#include "start/library.h"

#include <gtest/gtest.h>

#include "keldox/library.h"
#include "slownik/library.h"

namespace start {
namespace {

// One process, one run: the libraries start and end once, in the order of the chains. slownik starts
// TORVEN and the SYLVANEK run-time itself, so they come before KONTRAHENT; start's own later call of
// TORVEN finds it started already.
TEST(LibraryOrder, StartInitialisesAndReleasesEveryLibraryInOrder) {
  auto* error = reinterpret_cast<dane::ErrorObject*>(0x10);
  start::INIT(error, nullptr);
  start::INIT(nullptr, nullptr);
  keldox::INIT(nullptr, nullptr);
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
  // every library kept the objects of the first call
  EXPECT_EQ(library().error_object(), error);
  EXPECT_EQ(keldox::library().error_object(), error);
  EXPECT_EQ(slownik::library().error_object(), error);
  EXPECT_EQ(dane::library().error_object(), error);
}

}  // namespace
}  // namespace start
