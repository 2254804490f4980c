// The installable destination of message boxes and the warning box built on it.
#include "keldox/message_sink.h"

#include <atomic>

namespace keldox {
namespace {

class SilentSink final : public MessageSink {
 public:
  void show(const Message&) override {}
};

SilentSink silent_sink;
std::atomic<MessageSink*> current_sink{&silent_sink};

}  // namespace

MessageSink* install_message_sink(MessageSink* sink) {
  MessageSink* previous = current_sink.exchange(sink != nullptr ? sink : &silent_sink);
  return previous == &silent_sink ? nullptr : previous;
}

void show_warning(std::string_view text) {
  current_sink.load()->show(Message{MessageKind::warning, "MIRLET: Ostrzeżenie", std::string(text)});
}

void WALIDACJA(std::string_view message) {
  show_warning(message);
}

}  // namespace keldox
