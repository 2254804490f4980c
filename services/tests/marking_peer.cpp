// A second session of the same user on a shared database, for the tests of marking by two processes at
// once: `marking_peer DB_FILE USE invert|markall COUNT BROWSE_STATEMENT` runs the whole-set operation COUNT
// times over the banks the statement shows and exits 0 when every step could run.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "dane/database.h"
#include "dane/globals.h"
#include "db/client.h"
#include "keldox/marking.h"
#include "server/server.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: marking_peer DB_FILE USE invert|markall COUNT BROWSE_STATEMENT\n";
    return 2;
  }
  std::unique_ptr<db::Client> client;
  if (!server::connect(std::string("sqlite:") + argv[1], client).ok()) return 3;
  dane::install_database(client.get());
  dane::GLO.ID_FIRMY = 1;
  dane::GLO.ID_UZYTKOWNIKA = 3000002;
  const int use = std::atoi(argv[2]);
  const std::string mode = argv[3];
  const int count = std::atoi(argv[4]);
  for (int i = 0; i < count; ++i) {
    if (mode == "invert") {
      keldox::INWERSJASQL(use, "A.ID_BANKU", argv[5]);
    } else {
      keldox::ZAZNACZALLSQL(use, "A.ID_BANKU", argv[5]);
    }
  }
  dane::install_database(nullptr);
  return 0;
}
