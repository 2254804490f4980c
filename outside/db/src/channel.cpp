// Names and record widths of the pass-through channels.
#include "db/channel.h"

#include "runtime/text.h"

namespace db {

std::string_view channel_name(Channel c) {
  switch (c) {
    case Channel::VAX:
      return "VAX";
    case Channel::VAX1:
      return "VAX1";
    case Channel::VAX2:
      return "VAX2";
    case Channel::VAX3:
      return "VAX3";
    case Channel::VAXFSQL:
      return "VAXFSQL";
    case Channel::VAXZAZ:
      return "VAXZAZ";
    case Channel::VAXCRM:
      return "VAXCRM";
    case Channel::TEST_POLACZENIA:
      return "TEST_POLACZENIA";
  }
  return "";
}

std::optional<Channel> channel_from_name(std::string_view name) {
  name = runtime::trim_left(name);
  for (Channel c : kAllChannels) {
    if (runtime::same_name(channel_name(c), name)) return c;
  }
  return std::nullopt;
}

std::size_t channel_width(Channel c) {
  switch (c) {
    case Channel::VAX2:
      return 55;
    case Channel::VAX:
    case Channel::VAX1:
    case Channel::VAX3:
    case Channel::VAXCRM:
      return 20;
    case Channel::VAXFSQL:
    case Channel::VAXZAZ:
    case Channel::TEST_POLACZENIA:
      return 4;
  }
  return 1;
}

}  // namespace db
