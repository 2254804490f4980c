// One demo database for a whole benchmark run, in a temporary folder removed when the run ends.
#pragma once

#include <cstdio>
#include <string>

#include "mirlet_testing/temp_folder.h"
#include "server/demo.h"

namespace mirlet_bench {

// The database file, made on the first call; a database that cannot be made is said on stderr and the
// benchmarks that open it skip.
inline const std::string& demo_database(server::DemoSize size = server::DemoSize::Demo) {
  static const mirlet_testing::TempFolder folder("benchdemo");
  static const std::string path = [size] {
    const std::string file = folder.file("bench.db");
    if (const db::Status s = server::make_demo_database(file, size); !s.ok())
      std::fprintf(stderr, "%s\n", s.text.c_str());
    return file;
  }();
  return path;
}

}  // namespace mirlet_bench
