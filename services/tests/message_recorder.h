// A window host for tests that records every message box shown while it is installed.
#pragma once

#include <string>
#include <vector>

#include "dane/host.h"

namespace keldox::testing {

enum class MessageKind { warning, information, question };

struct Message {
  MessageKind kind;
  std::string title;
  std::string text;
};

class MessageRecorder final : public dane::HeadlessHost {
 public:
  MessageRecorder() { dane::install_host(this); }
  ~MessageRecorder() override { dane::install_host(nullptr); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  int message(const dane::MessageBox& box) override {
    const MessageKind kind = box.icon == dane::Icon::Exclamation   ? MessageKind::warning
                             : box.icon == dane::Icon::Information ? MessageKind::information
                                                                   : MessageKind::question;
    shown.push_back(Message{kind, box.title, box.text});
    return box.default_answer;
  }
  std::vector<Message> shown;
};

}  // namespace keldox::testing
