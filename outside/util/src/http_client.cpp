// libcurl behind bounded requests, initialised once for the process (the module stays resident).
#include "http_client.h"

#include <curl/curl.h>

#include <mutex>

namespace zorva_util {
namespace {

struct Sink {
  std::string* body;
  std::size_t limit;
};

std::size_t write_body(char* data, std::size_t size, std::size_t count, void* user) {
  auto* sink = static_cast<Sink*>(user);
  const std::size_t bytes = size * count;
  if (sink->body->size() + bytes > sink->limit) return 0;  // libcurl ends the transfer as a write error
  sink->body->append(data, bytes);
  return bytes;
}

struct Post {
  const std::string* body;
  const std::vector<std::string>* headers;
};

HttpAnswer transfer(const std::string& url, const Post* post, const HttpLimits& limits) {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  HttpAnswer answer;
  try {
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
      answer.error = "no libcurl handle";
      return answer;
    }
    Sink sink{&answer.body, limits.max_body_bytes};
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connect_timeout_ms);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.total_timeout_ms);
    curl_slist* header_list = nullptr;
    if (post != nullptr) {
      curl_easy_setopt(curl, CURLOPT_POST, 1L);
      curl_easy_setopt(curl, CURLOPT_POSTFIELDS, post->body->data());
      curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(post->body->size()));
      // No "Expect: 100-continue" round: a server that ignores it would cost a second's wait.
      header_list = curl_slist_append(header_list, "Expect:");
      for (const std::string& h : *post->headers) header_list = curl_slist_append(header_list, h.c_str());
      curl_easy_setopt(curl, CURLOPT_HTTPHEADER, header_list);
    } else {
      curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
      curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 3L);
    }
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "MIRLET");
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, write_body);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    const CURLcode code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &answer.status);
    curl_easy_cleanup(curl);
    curl_slist_free_all(header_list);
    answer.transferred = code == CURLE_OK;
    if (!answer.transferred) {
      answer.error = curl_easy_strerror(code);
      answer.body.clear();
    }
  } catch (...) {
    answer = HttpAnswer{};
    answer.error = "out of memory";
  }
  return answer;
}

}  // namespace

HttpAnswer http_get(const std::string& url, const HttpLimits& limits) {
  return transfer(url, nullptr, limits);
}

HttpAnswer http_post(const std::string& url, const std::string& body, const std::vector<std::string>& headers,
                     const HttpLimits& limits) {
  const Post post{&body, &headers};
  return transfer(url, &post, limits);
}

}  // namespace zorva_util
