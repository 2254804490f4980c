// Entry point of the T-SQL translator: tokens, tree, SQLite text; and the readable form of a program.
#include "db/tsql/translate.h"

#include <array>
#include <cstddef>
#include <memory_resource>

#include "db/literals.h"
#include "lexer.h"
#include "parser.h"
#include "writer.h"

namespace db::tsql {

Program translate(std::string_view tsql) {
  Program program;
  LexResult lexed = tokenize(tsql);
  if (!lexed.error.empty()) {
    program.refusal = "syntax error: " + lexed.error;
    return program;
  }
  // Most statements fit the stack buffer, so a translation costs no heap allocation for its tree.
  std::array<std::byte, 16384> buffer;
  std::pmr::monotonic_buffer_resource arena(buffer.data(), buffer.size());
  ParseResult parsed = parse(lexed.tokens, &arena);
  if (!parsed.error.empty()) {
    program.refusal = std::move(parsed.error);
    return program;
  }
  std::string error = compile(parsed.statements, program.steps, &arena, tsql.size());
  if (!error.empty()) {
    program.steps.clear();
    program.refusal = std::move(error);
  }
  return program;
}

namespace {

void describe_steps(const Steps& steps, std::string& out, int indent);

void describe_step(const Step& step, std::string& out, int indent) {
  const std::string pad(static_cast<std::size_t>(indent) * 2, ' ');
  if (const auto* s = std::get_if<Statement>(&step.node)) {
    out += pad + s->sql + ";\n";
  } else if (const auto* c = std::get_if<ProcedureCall>(&step.node)) {
    out += pad;
    if (c->binds_retcode) out += "&RetCode = ";
    out += "CALL " + c->name + "(";
    for (std::size_t i = 0; i < c->arguments.size(); ++i) {
      if (i > 0) out += ", ";
      const Argument& a = c->arguments[i];
      switch (a.kind) {
        case Argument::Kind::Null:
          out += "NULL";
          break;
        case Argument::Kind::Text:
          out += db::quote_text(a.value);
          break;
        default:
          out += a.value;
          break;
      }
    }
    out += ");\n";
  } else if (const auto* c = std::get_if<Conditional>(&step.node)) {
    out += pad + "IF (" + c->condition_sql + ")\n" + pad + "BEGIN\n";
    describe_steps(c->then_steps, out, indent + 1);
    out += pad + "END\n";
    if (!c->else_steps.empty()) {
      out += pad + "ELSE\n" + pad + "BEGIN\n";
      describe_steps(c->else_steps, out, indent + 1);
      out += pad + "END\n";
    }
  } else if (const auto* a = std::get_if<Atomic>(&step.node)) {
    out += pad + "ATOMIC\n" + pad + "BEGIN\n";
    describe_steps(a->steps, out, indent + 1);
    out += pad + "END\n";
  }
}

void describe_steps(const Steps& steps, std::string& out, int indent) {
  for (const Step& s : steps) describe_step(s, out, indent);
}

}  // namespace

std::string describe(const Program& program) {
  if (program.refused()) return "-- " + program.refusal + "\n";
  std::string out;
  describe_steps(program.steps, out, 0);
  return out;
}

}  // namespace db::tsql
