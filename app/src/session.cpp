// Opening the database, logging in and starting and ending the libraries of a session.
#include "app/session.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "dane/database.h"
#include "dane/events.h"
#include "dane/globals.h"
#include "db/channel_client.h"
#include "keldox/exchange_rates.h"
#include "runtime/text.h"
#include "server/demo.h"
#include "server/server.h"
#include "start/library.h"
#include "start/session_lists.h"

namespace app {
namespace {

namespace fs = std::filesystem;

std::string id_text(double id) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", id);
  return text;
}

// Built under a temporary name and linked into place only when complete, so that a run interrupted while
// filling it, or a second program started meanwhile, never finds a half-made database under the real name.
// When another run has put a database there first, that one is kept.
db::Status create_demo_database(const std::string& file) {
  std::error_code ec;
  const fs::path folder = fs::path(file).parent_path();
  if (!folder.empty()) fs::create_directories(folder, ec);
  if (ec)
    return db::Status::statement_failed("Nie można utworzyć folderu " + folder.string() + ": " +
                                        ec.message());
  const std::string part = file + ".part" + std::to_string(::getpid());
  fs::remove(part, ec);
  if (db::Status s = server::make_demo_database(part, server::DemoSize::Demo); !s.ok()) return s;
  const bool linked = ::link(part.c_str(), file.c_str()) == 0;
  const int link_error = errno;
  fs::remove(part, ec);
  if (!linked && link_error != EEXIST)
    return db::Status::statement_failed("Nie można utworzyć pliku " + file + ": " +
                                        std::strerror(link_error));
  return db::Status::success();
}

}  // namespace

db::Status open_database(std::string_view connection, Database& out) {
  out = Database{};
  out.connection = connection;
  db::ConnectionSettings settings;
  if (db::Status s = db::parse_connection_text(connection, settings); !s.ok()) return s;
  // A server's database is the administrator's; only an embedded one is created on first use.
  if (settings.engine != "sqlite") {
    if (db::Status s = server::connect(connection, out.client); !s.ok()) return s;
    // The first statement connects: a server that cannot be reached is said before anything else.
    db::Status reached = out.client->open(db::Channel::VAX);
    if (reached.ok()) reached = out.client->send(db::Channel::VAX, "select 1");
    out.client->close(db::Channel::VAX);
    if (!reached.ok()) out.client.reset();
    return reached;
  }
  out.file = settings.sqlite.path;
  std::error_code ec;
  if (!fs::exists(out.file, ec)) {
    if (db::Status s = create_demo_database(out.file); !s.ok()) return s;
    out.created = true;
  }
  return server::connect(connection, out.client);
}

db::Status log_in(db::Client& client, double user_id, User& out) {
  const db::Channel channel = db::Channel::VAX;
  if (db::Status s = client.open(channel); !s.ok()) return s;
  db::Status status =
      client.send(channel, "SELECT IDENTYFIKATOR, NAZWA, AKTYWNY FROM UZYTKOWNIK WHERE ID_UZYTKOWNIKA = " +
                               id_text(user_id));
  if (status.ok()) {
    if (client.next(channel).ok()) {
      if (client.field(channel, 3) == "0") {
        status = db::Status::statement_failed("Konto użytkownika " + id_text(user_id) + " jest wyłączone.");
      } else {
        out.id = user_id;
        out.login = runtime::trim_right(client.field(channel, 1));
        out.name = runtime::trim_right(client.field(channel, 2));
      }
    } else {
      status = db::Status::statement_failed("Użytkownik o identyfikatorze " + id_text(user_id) +
                                            " nie istnieje w tej bazie danych.");
    }
  }
  client.close(channel);
  return status;
}

Session::Session(Database database, User user, std::string program_folder)
    : database_(std::move(database)), user_(std::move(user)) {
  dane::install_database(database_.client.get());
  dane::GLO.ID_UZYTKOWNIKA = user_.id;
  dane::GLO.LOGIN = user_.login;
  dane::GLO.LOCALPATH = program_folder;
  dane::GLO.PATH_INI = dane::default_settings_path(user_.id);
  dane::GLO.OWNERNAME = database_.connection.empty() ? "default" : database_.connection;
  // The embedded engine has no server of its own: the session names the engine and the database file.
  dane::GLO.SERWER = "sqlite";
  dane::GLO.BAZA = database_.file;
  dane::GLO.WATEKAPP = static_cast<std::int32_t>(dane::current_thread_number());
  settings_.set_path(std::string(dane::GLO.PATH_INI.view()));
  start::INIT(&errors_, &settings_);
  keldox::SPRAWDZPOLACZENIEINTERNETOWE();
  if (!start::load_session_lists() || dane::GLO.WYJDZ_Z_HALTEM != 0) {
    // What stopped the session was shown already; no window of the program opens after it.
    std::cerr << "Sesja nie może zostać otwarta." << std::endl;
    end();
    std::exit(EXIT_FAILURE);
  }
}

Session::~Session() {
  end();
}

void Session::end() {
  if (ended_) return;
  ended_ = true;
  start::KILL();
  dane::install_database(nullptr);
}

std::string program_folder(std::string_view argv0) {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return self.parent_path().string();
  const fs::path given = fs::absolute(fs::path(argv0), ec);
  return ec ? std::string(".") : given.parent_path().string();
}

}  // namespace app
