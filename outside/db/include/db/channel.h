// The named pass-through channels and the widths of their records.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace db {

enum class Channel { VAX, VAX1, VAX2, VAX3, VAXFSQL, VAXZAZ, VAXCRM, TEST_POLACZENIA };

inline constexpr std::array<Channel, 8> kAllChannels = {
    Channel::VAX,     Channel::VAX1,   Channel::VAX2,   Channel::VAX3,
    Channel::VAXFSQL, Channel::VAXZAZ, Channel::VAXCRM, Channel::TEST_POLACZENIA};

std::string_view channel_name(Channel c);
// The channel of that name, compared case-insensitively; none for an unknown name.
std::optional<Channel> channel_from_name(std::string_view name);
// Number of text columns in the channel's record; further columns of a result are not delivered.
std::size_t channel_width(Channel c);

}  // namespace db
