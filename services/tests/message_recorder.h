// A message sink for tests that records every box shown while it is installed.
#pragma once

#include <vector>

#include "keldox/message_sink.h"

namespace keldox::testing {

class MessageRecorder final : public MessageSink {
 public:
  MessageRecorder() : previous_(install_message_sink(this)) {}
  ~MessageRecorder() override { install_message_sink(previous_); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  void show(const Message& message) override { shown.push_back(message); }

  std::vector<Message> shown;

 private:
  MessageSink* previous_;
};

}  // namespace keldox::testing
