# The T-SQL translator and its SQL functions: sources, tests and fuzz target of outside/db/tsql.
set(DB_TSQL_SOURCES
  src/tsql/lexer.cpp
  src/tsql/parser.cpp
  src/tsql/writer.cpp
  src/tsql/translate.cpp
  src/tsql/text_compare.cpp
  src/tsql/datetime.cpp
  src/tsql/functions.cpp)

set(DB_TSQL_TEST_SOURCES
  tests/tsql_test_support.cpp
  tests/tsql_translate_test.cpp
  tests/tsql_functions_test.cpp
  tests/tsql_run_test.cpp
  tests/tsql_corpus_test.cpp
  tests/tsql_fuzz_regressions_test.cpp)

# The translator's sources are compiled into the fuzz target itself so that libFuzzer sees their coverage.
mirlet_add_fuzzer(tsql_fuzz SOURCES fuzz/tsql_fuzz.cpp ${DB_TSQL_SOURCES} src/literals.cpp DEPS mirlet::runtime SQLite::SQLite3)
if(TARGET tsql_fuzz)
  target_include_directories(tsql_fuzz PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/include ${CMAKE_CURRENT_SOURCE_DIR}/src)
endif()
