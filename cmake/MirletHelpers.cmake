# Project helpers: a library, a test executable or a fuzz target in three lines.
include(GoogleTest)

add_library(mirlet_warnings INTERFACE)
target_compile_options(mirlet_warnings INTERFACE -Wall -Wextra -Werror)
if(MIRLET_SANITIZE)
  target_compile_options(mirlet_warnings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                   -fno-sanitize-recover=undefined)
  target_link_options(mirlet_warnings INTERFACE -fsanitize=address,undefined)
endif()

# mirlet_add_library(<name> [SHARED|STATIC|MODULE] SOURCES ... DEPS ...)
# Public headers live in include/ beside the CMakeLists; everything else is private.
function(mirlet_add_library name)
  cmake_parse_arguments(ARG "SHARED;STATIC;MODULE" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  set(kind STATIC)
  if(ARG_SHARED)
    set(kind SHARED)
  elseif(ARG_MODULE)
    set(kind MODULE)
  endif()
  add_library(${name} ${kind} ${ARG_SOURCES})
  add_library(mirlet::${name} ALIAS ${name})
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/include)
    target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
                                              $<INSTALL_INTERFACE:include>)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE mirlet_warnings ${ARG_PRIVATE_DEPS})
endfunction()

# mirlet_add_test(<name> SOURCES ... DEPS ...): one GoogleTest executable run by CTest.
function(mirlet_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock mirlet_warnings)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8")
endfunction()

# mirlet_add_fuzzer(<name> SOURCES ... DEPS ...): a libFuzzer target, built only with MIRLET_FUZZ.
function(mirlet_add_fuzzer name)
  if(NOT MIRLET_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} mirlet_warnings)
endfunction()
