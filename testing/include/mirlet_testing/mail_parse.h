// A received message as a reader sees it, decoded by Python's e-mail parser (data/mail/decode_mail.py):
// the tests compare decoded texts and bytes, never our own encoder's output with itself.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "mirlet_testing/temp_folder.h"

namespace mirlet_testing {

struct ParsedMail {
  bool parsed = false;
  std::vector<std::pair<std::string, std::string>> headers;  // in order, decoded
  std::string body;
  std::string charset;
  std::vector<std::string> parts;  // "content-type<TAB>transfer-encoding" per leaf part
  struct File {
    std::string name;
    std::string bytes;
  };
  std::vector<File> attachments;
  std::string defects;

  // The first header of the name (case-blind), or "<none>".
  std::string header(std::string_view name) const {
    for (const auto& [n, v] : headers) {
      if (header_is(n, name)) return v;
    }
    return "<none>";
  }
  int count(std::string_view name) const {
    int n = 0;
    for (const auto& h : headers) n += header_is(h.first, name) ? 1 : 0;
    return n;
  }

 private:
  static bool header_is(const std::string& n, std::string_view name) {
    return n.size() == name.size() && std::equal(n.begin(), n.end(), name.begin(), [](char a, char b) {
             return std::tolower(a) == std::tolower(b);
           });
  }
};

inline std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline ParsedMail parse_mail(const std::string& raw) {
  ParsedMail mail;
  TempFolder folder("mailparse");
  {
    std::ofstream out(folder.file("message.eml"), std::ios::binary);
    out << raw;
  }
  const std::string command = std::string("/usr/bin/python3 '") + MIRLET_DECODE_MAIL + "' '" +
                              folder.file("message.eml") + "' '" + folder.path().string() + "'";
  if (std::system(command.c_str()) != 0) return mail;
  mail.parsed = true;
  std::istringstream headers(slurp(folder.path() / "headers.txt"));
  for (std::string line; std::getline(headers, line);) {
    const auto tab = line.find('\t');
    mail.headers.emplace_back(line.substr(0, tab), tab == std::string::npos ? "" : line.substr(tab + 1));
  }
  mail.body = slurp(folder.path() / "body.txt");
  mail.charset = slurp(folder.path() / "charset.txt");
  std::istringstream parts(slurp(folder.path() / "parts.txt"));
  for (std::string line; std::getline(parts, line);) mail.parts.push_back(line);
  for (int n = 1; std::filesystem::exists(folder.path() / (std::to_string(n) + ".name")); ++n) {
    mail.attachments.push_back({slurp(folder.path() / (std::to_string(n) + ".name")),
                                slurp(folder.path() / (std::to_string(n) + ".bin"))});
  }
  mail.defects = slurp(folder.path() / "defects.txt");
  return mail;
}

}  // namespace mirlet_testing
