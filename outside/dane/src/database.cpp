// The installed session client and the stand-in that answers "not open" before log-in.
#include "dane/database.h"

#include <atomic>

namespace dane {
namespace {

class NotConnected final : public db::Client {
 public:
  db::Status open(db::Channel, int) override { return refuse(); }
  db::Status close(db::Channel) override { return db::Status::success(); }
  db::Status clear(db::Channel) override { return db::Status::success(); }
  db::Status send(db::Channel, std::string_view) override { return refuse(); }
  db::Status next(db::Channel) override { return refuse(); }
  std::string_view field(db::Channel, std::size_t) const override { return {}; }
  std::size_t columns(db::Channel) const override { return 0; }
  std::string_view column_name(db::Channel, std::size_t) const override { return {}; }
  std::uint8_t ret_code(db::Channel) const override { return 0; }
  db::Status last_error() const override { return not_open(); }
  db::Status records(db::RecordConnection*& out) override {
    out = nullptr;
    return not_open();
  }

 private:
  static db::Status not_open() { return db::Status::failure(db::kNotOpen, "Brak połączenia z bazą danych"); }
  static db::Status refuse() { return not_open(); }
};

NotConnected not_connected;
std::atomic<db::Client*> installed{nullptr};
std::atomic<unsigned> generation{0};

}  // namespace

db::Client& database() {
  db::Client* c = installed.load(std::memory_order_acquire);
  return c ? *c : not_connected;
}

void install_database(db::Client* client) {
  installed.store(client, std::memory_order_release);
  generation.fetch_add(1, std::memory_order_acq_rel);
}

unsigned database_generation() {
  return generation.load(std::memory_order_acquire);
}

}  // namespace dane
