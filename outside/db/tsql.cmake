# The T-SQL translator and its SQL functions: sources, tests and fuzz target of outside/db/tsql.
set(DB_TSQL_SOURCES
  src/tsql/translate.cpp
  src/tsql/functions.cpp)

set(DB_TSQL_TEST_SOURCES)

mirlet_add_fuzzer(tsql_fuzz SOURCES fuzz/tsql_fuzz.cpp DEPS mirlet::db)
