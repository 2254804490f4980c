// A stand-in for the desktop's xdg-email: a script put first on PATH for the object's life that records
// the arguments it was given (each as it arrived) and exits with a chosen status.
#pragma once

#include <stdlib.h>  // setenv

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "mirlet_testing/http_server.h"  // read_file_text
#include "mirlet_testing/temp_folder.h"

namespace mirlet_testing {

class FakeMailClient {
 public:
  explicit FakeMailClient(int exit_status = 0) : folder_("fakemail") {
    const std::string script = folder_.file("xdg-email");
    {
      std::ofstream out(script);
      out << "#!/bin/sh\n"
             "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > '"
          << folder_.file("arguments") << "'\n"
          << "exit " << exit_status << "\n";
    }
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    const char* path = std::getenv("PATH");
    saved_path_ = path != nullptr ? path : "";
    ::setenv("PATH", (folder_.path().string() + ":" + saved_path_).c_str(), 1);
  }
  ~FakeMailClient() { ::setenv("PATH", saved_path_.c_str(), 1); }
  FakeMailClient(const FakeMailClient&) = delete;
  FakeMailClient& operator=(const FakeMailClient&) = delete;

  bool ran() const { return std::filesystem::exists(folder_.file("arguments")); }
  // The arguments after the program's name, in order.
  std::vector<std::string> arguments() const {
    std::vector<std::string> out;
    const std::string text = read_file_text(folder_.file("arguments"));
    std::size_t start = 0;
    for (std::size_t end = text.find('\0'); end != std::string::npos; end = text.find('\0', start)) {
      out.push_back(text.substr(start, end - start));
      start = end + 1;
    }
    return out;
  }

 private:
  TempFolder folder_;
  std::string saved_path_;
};

}  // namespace mirlet_testing
