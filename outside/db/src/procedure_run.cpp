// Running a translated procedure call.
#include "procedure_run.h"

#include <algorithm>
#include <cstdlib>

namespace db::detail {
namespace {

Status argument_value(const tsql::Argument& a, SqlLink& db, Value& out) {
  using Kind = tsql::Argument::Kind;
  switch (a.kind) {
    case Kind::Null:
      out = Value::null();
      return Status::success();
    case Kind::Integer:
      out = Value::integer(std::strtoll(a.value.c_str(), nullptr, 10));
      return Status::success();
    case Kind::Decimal:
      out = Value::decimal(a.value);
      return Status::success();
    case Kind::Text:
      out = Value::text(a.value);
      return Status::success();
    case Kind::Expression: {
      Status s;
      auto v = db.scalar("SELECT " + a.value, {}, &s);
      if (!s.ok()) return s;
      out = v ? Value::text(*v) : Value::null();
      return Status::success();
    }
  }
  return Status::success();
}

}  // namespace

Status run_procedure(const ProcedureRegistry* procedures, const tsql::ProcedureCall& node, SqlLink& db,
                     std::size_t max_columns, ResultSet& out) {
  if (procedures == nullptr)
    return Status::statement_failed("Could not find stored procedure '" + node.name + "'.");
  std::vector<Value> args;
  args.reserve(node.arguments.size());
  for (const auto& a : node.arguments) {
    Value v;
    if (Status s = argument_value(a, db, v); !s.ok()) return s;
    args.push_back(std::move(v));
  }
  ResultSet rows;
  Status s = procedures->call(node.name, db, args, rows);
  if (!s.ok()) return s;
  out.clear();
  out.set_columns(std::min(rows.columns(), max_columns));
  out.names = rows.names;
  out.names.resize(out.columns());
  for (std::size_t r = 0; r < rows.rows(); ++r) {
    for (std::size_t c = 0; c < out.columns(); ++c) out.add_cell(rows.cell(r, c));
  }
  if (node.binds_retcode) out.ret_code = rows.ret_code.value_or(0);
  return Status::success();
}

}  // namespace db::detail
