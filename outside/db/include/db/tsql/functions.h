// The collation and SQL functions that translated statements and the schema rely on.
#pragma once

struct sqlite3;

namespace db::tsql {

// Name of the collation every text column is declared with: case-insensitive for ASCII, Polish and the
// other Latin letters, accent-sensitive, blind to trailing blanks, ordering accented letters right after
// their base letter (a < ą < b, z < ź < ż).
inline constexpr const char* kTextCollation = "PLCI";

// Registers on `db`: the PLCI collation; `upper`, `lower` and `like` (2 and 3 arguments) that fold Polish
// and other Latin letters; and the tsql_* helpers the translator emits (tsql_add, tsql_datetime,
// tsql_date, tsql_to_text, tsql_getdate, tsql_charindex, tsql_left, tsql_right, tsql_replicate,
// tsql_space, tsql_str, tsql_datepart, tsql_datediff, tsql_dateadd, tsql_isnumeric, tsql_newid,
// tsql_ceiling, tsql_floor, tsql_power, tsql_reverse). It also turns off SQLite's reading of an unknown
// "name" in statements as a text literal (SQLITE_DBCONFIG_DQS_DML), since the translator writes delimited
// names that way. Call it on every connection before the schema is used, since views store calls to these
// functions. Returns false when SQLite refused a registration.
bool register_tsql_functions(sqlite3* db);

}  // namespace db::tsql
