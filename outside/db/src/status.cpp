// Status helpers: the transient mark and its detection.
#include "db/status.h"

#include "runtime/text.h"

namespace db {

bool Status::transient() const {
  return code != kOk && runtime::to_upper(text).find(kTransientMark) != std::string::npos;
}

Status Status::transient_failure(std::string_view engine_message) {
  std::string text(kTransientMark);
  text += ": ";
  text += engine_message;
  return {kStatementFailed, std::move(text)};
}

}  // namespace db
