// Registration entry points of the procedure groups and helpers they share.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "db/procedures.h"

namespace server::detail {

void add_lock_procedures(db::ProcedureRegistry& r);
void add_session_procedures(db::ProcedureRegistry& r);
void add_settings_procedures(db::ProcedureRegistry& r);
void add_mark_procedures(db::ProcedureRegistry& r);
void add_rate_procedures(db::ProcedureRegistry& r);
void add_company_procedures(db::ProcedureRegistry& r);
void add_dictionary_procedures(db::ProcedureRegistry& r);
void add_people_procedures(db::ProcedureRegistry& r);
void add_credit_procedures(db::ProcedureRegistry& r);

// Numbers read back from the database as text; never throws, unreadable text is 0.
inline std::int64_t to_int(const std::string& text) {
  return db::Value::text(text).as_int();
}
inline double to_double(const std::string& text) {
  return db::Value::text(text).as_double();
}

// The server's current time as 'YYYY-MM-DD HH:MM:SS' (local time).
inline constexpr std::string_view kNow = "strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime')";

// Writes one action-log row; used by the log procedure and by routines that log their own effects.
db::Status write_action_log(db::SqlLink& db, std::int64_t company, std::int64_t warehouse, std::int64_t user,
                            std::int64_t object, std::string_view kind, std::int64_t action,
                            std::string_view description, std::int64_t program,
                            std::string_view description2);

}  // namespace server::detail
