// Test rows print as their name, so that CTest lists cases by what they show rather than by bytes.
#pragma once

#include <concepts>
#include <ostream>

namespace keldox {
namespace {  // the unnamed namespace of the including test file, where its rows live

template <typename Row>
requires std::same_as<decltype(Row::name), const char*>
void PrintTo(const Row& row, std::ostream* out) {
  *out << row.name;
}

}  // namespace
}  // namespace keldox
