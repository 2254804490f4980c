// mkdemo [--large] FILE: creates a demo database with the schema and realistic Polish data.
#include <cstdio>
#include <string>
#include <string_view>

#include "server/demo.h"

int main(int argc, char** argv) {
  server::DemoSize size = server::DemoSize::Demo;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--large") {
      size = server::DemoSize::Large;
    } else if (path.empty() && !arg.starts_with("-")) {
      path = arg;
    } else {
      path.clear();
      break;
    }
  }
  if (path.empty()) {
    std::fprintf(stderr, "usage: mkdemo [--large] FILE\n");
    return 2;
  }
  const db::Status s = server::make_demo_database(path, size);
  if (!s.ok()) {
    std::fprintf(stderr, "%d %s\n", s.code, s.text.c_str());
    return 1;
  }
  return 0;
}
