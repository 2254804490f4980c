// Where the services' warnings and notices go until the window framework shows real message boxes.
//
// Every box the services raise passes through the installed sink, on the calling thread. The default
// sink shows nothing, so that the services can run headless; the window host installs one that opens
// real boxes, and tests install one that records. Installing is meant for start-up and tests, not for
// a moment when other threads raise boxes.
#pragma once

#include <string>
#include <string_view>

namespace keldox {

enum class MessageKind { warning, information };

struct Message {
  MessageKind kind;
  std::string title;
  std::string text;  // "|" starts a new line in the box
};

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Returns when the user has closed the box.
  virtual void show(const Message& message) = 0;
};

// Installs `sink` (nullptr restores the silent default) and returns the one it replaces. The sink must
// outlive its installation.
MessageSink* install_message_sink(MessageSink* sink);

// A warning box: title "MIRLET: Ostrzeżenie", exclamation icon, one OK button.
void show_warning(std::string_view text);

// Shows `message` in the warning box.
void WALIDACJA(std::string_view message);

}  // namespace keldox
