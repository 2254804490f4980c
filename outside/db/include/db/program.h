// What a statement text becomes before the embedded engine runs it, and the seam that produces it.
#pragma once

#include <functional>
#include <string_view>

#include "db/tsql/translate.h"

namespace db {

using Program = tsql::Program;

// Turns an application statement text into a program for the embedded engine.
using Translator = std::function<Program(std::string_view)>;

// Runs the text as SQLite SQL unchanged (tools and tests that speak SQLite directly).
Program pass_through(std::string_view statement);

// The production translator: T-SQL as the application composes it.
Program translate_tsql(std::string_view statement);

}  // namespace db
