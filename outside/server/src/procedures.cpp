// The full registry of server procedures.
#include "server/procedures.h"

#include "procedures/routines.h"

namespace server {

void register_procedures(db::ProcedureRegistry& registry) {
  detail::add_lock_procedures(registry);
  detail::add_session_procedures(registry);
  detail::add_settings_procedures(registry);
  detail::add_mark_procedures(registry);
  detail::add_rate_procedures(registry);
  detail::add_company_procedures(registry);
  detail::add_dictionary_procedures(registry);
  detail::add_people_procedures(registry);
  detail::add_credit_procedures(registry);
}

std::shared_ptr<const db::ProcedureRegistry> procedures() {
  static const std::shared_ptr<const db::ProcedureRegistry> shared = [] {
    auto r = std::make_shared<db::ProcedureRegistry>();
    register_procedures(*r);
    return r;
  }();
  return shared;
}

}  // namespace server
