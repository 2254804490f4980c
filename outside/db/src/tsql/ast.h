// The tree a T-SQL statement is parsed into; nodes live in the arena of one translation.
#pragma once

#include <memory_resource>
#include <string_view>
#include <vector>

namespace db::tsql {

template <typename T>
using List = std::pmr::vector<T>;

// One part of a name as written: bare (`nazwa`), or delimited (`[nazwa]`, `"nazwa"`) with `text` holding
// the delimiters.
struct Name {
  std::string_view text;
  bool delimited = false;

  bool empty() const { return text.empty(); }
};

// A possibly qualified object name; `parts` run from the outermost qualifier to the object itself.
struct ObjectName {
  List<Name> parts;
  const Name& last() const { return parts.back(); }
};

struct Select;

enum class ExprKind {
  Null,
  Number,
  String,
  Binary,    // 0x.. literal
  Column,    // one to three parts
  Star,      // * or t.*
  Variable,  // @@identity and the like
  Unary,     // op: "-", "+", "~", "not"
  BinaryOp,  // op: "or", "and", "=", "<>", "<", ">", "<=", ">=", "+", "-", "*", "/", "%", "&", "|", "^"
  Function,
  Case,
  Cast,  // cast(x as type) and convert(type, x [, style])
  Paren,
  Subquery,
  Exists,
  InList,
  InSelect,
  Between,
  Like,
  IsNull,
};

struct TypeSpec {
  std::string_view name;  // lower-cased by the parser's callers when compared; kept as written
  int length = -1;        // varchar(n), char(n); -1 when not given; -2 for (max)
  int precision = -1;     // decimal(p, s)
  int scale = -1;
};

struct Expr {
  ExprKind kind;
  std::string_view text;  // literal token, operator, function name (last part) or variable
  bool negated = false;   // NOT IN, NOT LIKE, NOT BETWEEN, IS NOT NULL
  bool distinct = false;  // count(distinct x)
  bool is_convert = false;
  Expr* a = nullptr;  // operand, left side, CASE operand
  Expr* b = nullptr;  // right side, BETWEEN low, LIKE pattern, CAST style
  Expr* c = nullptr;  // BETWEEN high, LIKE escape, CASE else
  List<Expr*> list;   // function arguments, IN list, CASE when/then pairs
  List<Name> names;   // column or function name parts
  Select* select = nullptr;
  TypeSpec type;

  explicit Expr(ExprKind k, std::pmr::memory_resource* mr) : kind(k), list(mr), names(mr) {}
};

enum class TableKind { Table, Function, Derived, Join, Paren };
enum class JoinKind { Inner, Left, Right, Full, Cross };

struct TableRef {
  TableKind kind;
  ObjectName name;           // Table, Function
  List<Expr*> args;          // Function
  Select* select = nullptr;  // Derived
  Name alias;
  TableRef* left = nullptr;  // Join; Paren keeps its content in `left`
  TableRef* right = nullptr;
  JoinKind join = JoinKind::Inner;
  Expr* on = nullptr;

  TableRef(TableKind k, std::pmr::memory_resource* mr) : kind(k), name{List<Name>(mr)}, args(mr) {}
};

struct SelectItem {
  Expr* expr = nullptr;
  Name alias;  // may be a string literal token (T-SQL allows 'alias'), see alias_is_string
  bool alias_is_string = false;
};

struct OrderItem {
  Expr* expr = nullptr;
  bool descending = false;
  bool explicit_direction = false;
};

struct SelectCore {
  bool distinct = false;
  Expr* top = nullptr;
  List<SelectItem> items;
  List<TableRef*> from;
  Expr* where = nullptr;
  List<Expr*> group_by;
  Expr* having = nullptr;

  explicit SelectCore(std::pmr::memory_resource* mr) : items(mr), from(mr), group_by(mr) {}
};

struct Select {
  List<SelectCore*> cores;
  List<std::string_view> operators;  // "union", "union all", "except", "intersect" between cores
  List<OrderItem> order_by;

  explicit Select(std::pmr::memory_resource* mr) : cores(mr), operators(mr), order_by(mr) {}
};

struct Assignment {
  Name qualifier;  // `set t.col = ...`
  Name column;
  Expr* value = nullptr;
};

struct Stmt;
using Block = List<Stmt*>;

enum class StmtKind {
  Select,
  Insert,
  Update,
  Delete,
  If,
  Call,
  CreateView,  // `alter` tells ALTER VIEW from CREATE VIEW
  DropObject,
  Transaction,
  Nothing,  // session settings with no effect on the embedded engine
};

struct Stmt {
  StmtKind kind;
  Select* select = nullptr;  // Select; Insert ... select; CreateView body
  ObjectName target;         // Insert/Update/Delete target, Call procedure, view, dropped object
  List<Name> columns;        // Insert column list, view column list
  List<List<Expr*>> rows;    // Insert ... values
  bool default_values = false;
  List<Assignment> assignments;
  List<TableRef*> from;  // Update/Delete FROM list
  Expr* where = nullptr;
  Expr* condition = nullptr;  // If
  Block then_block;
  Block else_block;
  List<Expr*> args;  // Call
  bool retcode = false;
  bool alter = false;
  bool if_exists = false;
  std::string_view word;  // DropObject: "table"/"view"; Transaction: "begin"/"commit"/"rollback"

  Stmt(StmtKind k, std::pmr::memory_resource* mr)
      : kind(k),
        target{List<Name>(mr)},
        columns(mr),
        rows(mr),
        assignments(mr),
        from(mr),
        then_block(mr),
        else_block(mr),
        args(mr) {}
};

}  // namespace db::tsql
