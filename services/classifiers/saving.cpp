// Saving classifier values: one record, or a group change over the records of a condition, with the
// copy to the twin articles that share a guid.
#include "classifiers/group_fields.h"
#include "dane/database.h"
#include "keldox/classifiers.h"
#include "keldox/config_parameters.h"
#include "keldox/messages.h"
#include "keldox/sql.h"
#include "keldox/sql_text.h"
#include "runtime/number_text.h"
#include "runtime/text.h"

namespace keldox {
namespace {

// Sends an update; a failure shows the server's message. False when it failed.
bool send_update(const std::string& statement) {
  EXECSQL(statement);
  const db::Status status = dane::database().last_error();
  if (status.ok()) return true;
  MSG_OSTRZEZENIE(status.text);
  return false;
}

}  // namespace

void KLASYFIKATORY_ZAPISZ(std::string_view key_column, std::string_view group, double record,
                          ClassifierValues& values, const ClassifierMarks* change_marks) {
  std::string assignments;
  std::string copies;
  {
    classifiers_detail::GroupFields fields(group);
    for (std::size_t n = 1; n <= kClassifierFields; ++n) {
      const dane::KlasyfikatorEntry* field = fields[n];
      if (field == nullptr) continue;
      const bool marked =
          change_marks != nullptr && runtime::number_from_text((*change_marks)[n - 1].view()) != 0;
      if (!marked && record == 0) continue;
      const std::string_view column = field->NAZWA_POLA_MAP.clipped();
      std::string value;
      if (classifiers_detail::data_type(*field) == classifiers_detail::DataType::text) {
        // The caller keeps the value as it was written. The statement takes the whole doubled text: the
        // array's width could cut it between the two quotes of a pair.
        value = REPLACEPROC2(values[n - 1].clipped(), "'", "''");
        values[n - 1] = value;
      } else {
        // Other values keep theirs, but no quote may end the literal early.
        value = sql_escape(values[n - 1].clipped());
      }
      if (!assignments.empty()) {
        assignments += ',';
        copies += ',';
      }
      assignments += std::string(column) + "='" + value + "'";
      copies += std::string(column) + "=a." + std::string(column);
    }
  }
  if (assignments.empty()) return;
  const std::string table(classifiers_detail::values_table(group));
  const std::string_view key = runtime::trim(key_column);
  if (record > 0) {
    send_update("update " + table + " set " + assignments + " where " + std::string(key) + "=" +
                sql_id(record));
  } else {
    send_update("update " + table + " set " + assignments + " where " + std::string(key));
  }
  if (runtime::same_name(runtime::trim(group), "Artykul") && record == 0 &&
      !runtime::same_text(POBIERZPARAMKONF("SynchroArt", "s"), "Rozłączne")) {
    send_update("update " + table + " set " + copies + " from artykul b,(select * from artykul where " +
                std::string(key) + ") a" +
                " where b.ID_ARTYKULU <> a.id_artykulu and b.guid_artykul=a.guid_artykul");
  }
  CLOSESQL();
}

}  // namespace keldox
