// A stand-in of the business register's web service on 127.0.0.1: its SOAP 1.2 operations answered as the
// service answers them (MTOM messages whose root part is the envelope, results as escaped XML texts), from
// recorded result files: search_<identifier>.xml and report_<regon>_<report name>.xml in the folder given;
// any other search or report answers the register's "not found" record (not_found.xml).
#pragma once

#include <atomic>
#include <cctype>
#include <string>
#include <vector>

#include "mirlet_testing/http_server.h"

namespace mirlet_testing {

class RegisterStub {
 public:
  static constexpr const char* kSessionId = "5vy2r5zx6ts6wz3hr8zf";

  explicit RegisterStub(std::string folder) : folder_(std::move(folder)) {
    server_.handle_with([this](const LocalHttpServer::Request& r) { return answer(r); });
  }

  // The address to give MIRLET_GUS_URL.
  std::string url() const { return server_.base_url() + "/wsBIR/UslugaBIRzewnPubl.svc"; }

  void refuse_key() { refuse_key_ = true; }
  void go_silent() { silent_ = true; }
  void forget_sessions() { forget_sessions_ = true; }

  // The operations asked for, in order ("Zaloguj", "DaneSzukajPodmioty" ...), each with the session id
  // it carried in its "sid" header after a "@" ("DaneSzukajPodmioty@5vy2...").
  std::vector<std::string> calls() const {
    std::vector<std::string> out;
    for (const LocalHttpServer::Request& r : server_.received()) {
      std::string call = operation(r.body);
      const std::string head = r.head;
      const std::size_t sid = head.find("\r\nsid: ");
      if (sid != std::string::npos) call += "@" + head.substr(sid + 7, head.find("\r\n", sid + 2) - sid - 7);
      out.push_back(call);
    }
    return out;
  }
  std::vector<LocalHttpServer::Request> received() const { return server_.received(); }

 private:
  // The text of the first element of that local name, in any namespace prefix.
  static std::string element(const std::string& xml, const std::string& name) {
    for (std::size_t at = xml.find(name + ">"); at != std::string::npos; at = xml.find(name + ">", at + 1)) {
      std::size_t open = at;
      if (open > 0 && xml[open - 1] == ':') {
        --open;
        while (open > 0 && std::isalnum(static_cast<unsigned char>(xml[open - 1]))) --open;
      }
      if (open == 0 || xml[open - 1] != '<') continue;  // part of a longer name, or a closing tag
      const std::size_t text = at + name.size() + 1;
      const std::size_t close = xml.find("</", text);
      return close == std::string::npos ? std::string() : xml.substr(text, close - text);
    }
    return {};
  }

  static std::string operation(const std::string& body) {
    const std::string action = element(body, "Action");
    const std::size_t slash = action.rfind('/');
    return slash == std::string::npos ? action : action.substr(slash + 1);
  }

  static std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
      switch (c) {
        case '&':
          out += "&amp;";
          break;
        case '<':
          out += "&lt;";
          break;
        case '>':
          out += "&gt;";
          break;
        case '"':
          out += "&quot;";
          break;
        default:
          out += c;
      }
    }
    return out;
  }

  static LocalHttpServer::Reply mtom(const std::string& op, const std::string& result) {
    const std::string boundary = "uuid:7b0b9a1c-2f3d-4c55-9e38-1c2d3e4f5a6b+id=12";
    std::string body = "\r\n--" + boundary +
                       "\r\nContent-ID: <http://tempuri.org/0>\r\nContent-Transfer-Encoding: 8bit\r\n"
                       "Content-Type: application/xop+xml;charset=utf-8;type=\"application/soap+xml\"\r\n\r\n"
                       "<s:Envelope xmlns:s=\"http://www.w3.org/2003/05/soap-envelope\" "
                       "xmlns:a=\"http://www.w3.org/2005/08/addressing\"><s:Header><a:Action "
                       "s:mustUnderstand=\"1\">http://CIS/BIR/PUBL/2014/07/IUslugaBIRzewnPubl/" +
                       op + "Response</a:Action></s:Header><s:Body><" + op +
                       "Response xmlns=\"http://CIS/BIR/PUBL/2014/07\"><" + op + "Result>" + escaped(result) +
                       "</" + op + "Result></" + op + "Response></s:Body></s:Envelope>\r\n--" + boundary +
                       "--\r\n";
    return {200, body,
            "multipart/related; type=\"application/xop+xml\"; start=\"<http://tempuri.org/0>\"; boundary=\"" +
                boundary + "\"; start-info=\"application/soap+xml\"",
            LocalHttpServer::Mode::whole};
  }

  std::string recorded(const std::string& name) const {
    const std::string text = read_file_text(folder_ + "/" + name);
    return text.empty() ? read_file_text(folder_ + "/not_found.xml") : text;
  }

  LocalHttpServer::Reply answer(const LocalHttpServer::Request& request) {
    if (silent_) return {200, "", "text/plain", LocalHttpServer::Mode::silent};
    const std::string op = operation(request.body);
    const bool has_session = request.head.find("\r\nsid: " + std::string(kSessionId)) != std::string::npos;
    if (op == "Zaloguj") return mtom(op, refuse_key_ ? "" : kSessionId);
    if (op == "Wyloguj") return mtom(op, "true");
    if (op == "DaneSzukajPodmioty") {
      if (!has_session || forget_sessions_) return mtom(op, "");
      for (const char* kind : {"Nip", "Regon", "Krs"}) {
        const std::string id = element(request.body, kind);
        if (!id.empty()) return mtom(op, recorded("search_" + id + ".xml"));
      }
      return mtom(op, recorded("none"));
    }
    if (op == "DanePobierzPelnyRaport") {
      if (!has_session) return mtom(op, "");
      return mtom(op, recorded("report_" + element(request.body, "pRegon") + "_" +
                               element(request.body, "pNazwaRaportu") + ".xml"));
    }
    return {500, "<html><body>Request Error</body></html>", "text/html", LocalHttpServer::Mode::whole};
  }

  std::string folder_;
  std::atomic<bool> refuse_key_{false};
  std::atomic<bool> silent_{false};
  std::atomic<bool> forget_sessions_{false};
  LocalHttpServer server_;  // last: its threads stop before the settings they read go
};

}  // namespace mirlet_testing
