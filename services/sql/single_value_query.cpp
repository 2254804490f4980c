// The installable single-value query and its default, which sends nothing.
#include "keldox/single_value_query.h"

#include <atomic>

namespace keldox {
namespace {

class NoDatabase final : public SingleValueQuery {
 public:
  std::string single_value(std::string_view) override { return {}; }
};

NoDatabase no_database;
std::atomic<SingleValueQuery*> current_query{&no_database};

}  // namespace

SingleValueQuery* install_single_value_query(SingleValueQuery* query) {
  SingleValueQuery* previous = current_query.exchange(query != nullptr ? query : &no_database);
  return previous == &no_database ? nullptr : previous;
}

std::string query_single_value(std::string_view statement) {
  return current_query.load()->single_value(statement);
}

}  // namespace keldox
