// Recursive-descent parser of the T-SQL subset. Anything outside the subset stops the parse with a text
// naming the construct, so that nothing half-understood ever reaches the engine.
#include "parser.h"

#include <algorithm>
#include <utility>

#include "runtime/text.h"

namespace db::tsql {
namespace {

struct ParseError {
  std::string text;
};

// Bound on nesting plus operands chained in a row, so that the recursion of parser and writer stays well
// within a thread's stack. Nesting alone is bounded far lower: each level of it costs the parser a whole
// descent through the precedence levels, which the sanitizers' frames make deeper still.
constexpr int kMaxDepth = 2000;
constexpr int kMaxNesting = 256;

bool ascii_lower_equals(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
    if (c != lower[i]) return false;
  }
  return true;
}

bool is_reserved(const Token& t) {
  return t.reserved;
}

std::string name_value(const Name& n) {
  std::string v = n.delimited ? quoted_name_value(n.text) : std::string(n.text);
  return runtime::to_lower(v);
}

class Parser {
 public:
  Parser(const std::vector<Token>& tokens, std::pmr::memory_resource* mr)
      : t_(tokens.data()), last_(tokens.size() - 1), mr_(mr) {}

  Block batch() {
    Block out(mr_);
    while (true) {
      while (symbol(";")) ++pos_;
      if (peek().kind == TokenKind::End) break;
      if (Stmt* s = statement()) out.push_back(s);
    }
    return out;
  }

 private:
  // ---- token helpers ----
  const Token& peek(std::size_t ahead = 0) const {
    const std::size_t i = pos_ + ahead;
    return t_[i < last_ ? i : last_];
  }
  // Symbols are one or two characters: compared in place, without a library call.
  bool symbol(std::string_view s, std::size_t ahead = 0) const {
    const Token& t = peek(ahead);
    return t.kind == TokenKind::Symbol && same_text(t.text, s);
  }
  bool word(const Keyword& w, std::size_t ahead = 0) const { return is_word(peek(ahead), w); }
  bool accept_word(const Keyword& w) {
    if (!word(w)) return false;
    ++pos_;
    return true;
  }
  bool accept_symbol(std::string_view s) {
    if (!symbol(s)) return false;
    ++pos_;
    return true;
  }

  [[noreturn]] void fail(std::string what) const {
    const Token& t = peek();
    std::string text = std::move(what);
    if (t.kind == TokenKind::End) {
      text += " at the end of the statement";
    } else {
      text += " near '" + std::string(runtime::cut_to_width(t.text, 40)) + "' (offset " +
              std::to_string(t.offset) + ")";
    }
    throw ParseError{std::move(text)};
  }
  [[noreturn]] void unsupported(std::string construct) const { fail("unsupported T-SQL: " + construct); }
  [[noreturn]] void unexpected() const {
    if (peek().kind == TokenKind::End) fail("syntax error: the statement ends too early");
    fail("syntax error: unexpected token");
  }

  void expect_symbol(std::string_view s) {
    if (!accept_symbol(s)) fail("syntax error: expected '" + std::string(s) + "'");
  }
  void expect_word(const Keyword& w) {
    if (!accept_word(w)) fail("syntax error: expected " + std::string(w.text));
  }

  struct DepthGuard {
    explicit DepthGuard(Parser& p) : p_(p) {
      ++p_.nesting_;
      if (++p_.depth_ > kMaxDepth) p_.fail("unsupported T-SQL: nesting deeper than 2000 levels");
      if (p_.nesting_ > kMaxNesting) p_.fail("unsupported T-SQL: nesting deeper than 256 levels");
    }
    ~DepthGuard() {
      --p_.depth_;
      --p_.nesting_;
    }
    Parser& p_;
  };

  // Each further operand of a chain (a or b or c ...) deepens the tree the writer walks.
  struct ChainGuard {
    explicit ChainGuard(Parser& p) : p_(p) {}
    void next() {
      ++links_;
      if (++p_.depth_ > kMaxDepth) p_.fail("unsupported T-SQL: nesting deeper than 2000 levels");
    }
    ~ChainGuard() { p_.depth_ -= links_; }
    Parser& p_;
    int links_ = 0;
  };

  template <typename T, typename... Args>
  T* make(Args&&... args) {
    void* mem = mr_->allocate(sizeof(T), alignof(T));
    return new (mem) T(std::forward<Args>(args)...);
  }
  Expr* expr_node(ExprKind k) { return make<Expr>(k, mr_); }

  bool name_token() const {
    const Token& t = peek();
    return t.kind == TokenKind::QuotedName || (t.kind == TokenKind::Word && !is_reserved(t));
  }
  Name take_name() {
    const Token& t = peek();
    if (t.kind == TokenKind::QuotedName) {
      ++pos_;
      return {t.text, true};
    }
    if (t.kind == TokenKind::Word) {
      ++pos_;
      return {t.text, false};
    }
    fail("syntax error: expected a name");
  }

  ObjectName object_name() {
    ObjectName n{List<Name>(mr_)};
    if (!name_token()) fail("syntax error: expected a table or procedure name");
    n.parts.push_back(take_name());
    while (symbol(".")) {
      ++pos_;
      if (symbol(".")) unsupported("empty part in a qualified name");
      n.parts.push_back(take_name());
    }
    return n;
  }

  // Drops `with (nolock)`, `with (rowlock, index(x))` and the old form `(nolock)`.
  void skip_table_hints() {
    if (word(K("with")) && symbol("(", 1)) {
      ++pos_;
      skip_parenthesised();
    } else if (symbol("(") && is_hint_word(peek(1))) {
      skip_parenthesised();
    }
  }
  static bool is_hint_word(const Token& t) {
    static constexpr std::string_view hints[] = {
        "nolock",       "rowlock", "updlock", "holdlock",        "readpast",      "tablock",
        "tablockx",     "paglock", "xlock",   "readuncommitted", "readcommitted", "repeatableread",
        "serializable", "nowait",  "index",   "forceseek",       "noexpand",      "snapshot"};
    for (const auto h : hints) {
      if (is_word(t, h)) return true;
    }
    return false;
  }
  void skip_parenthesised() {
    expect_symbol("(");
    int level = 1;
    while (level > 0) {
      const Token& t = peek();
      if (t.kind == TokenKind::End) fail("syntax error: unbalanced parentheses");
      if (t.kind == TokenKind::Symbol && same_text(t.text, "(")) ++level;
      if (t.kind == TokenKind::Symbol && same_text(t.text, ")")) --level;
      ++pos_;
    }
  }

  // ---- statements ----
  bool at_statement_end() const {
    const Token& t = peek();
    return t.kind == TokenKind::End || symbol(";");
  }

  Stmt* statement() {
    DepthGuard guard(*this);
    const Token& t = peek();
    if (t.kind == TokenKind::Symbol) {
      if (same_text(t.text, "&")) return retcode_call();
      if (same_text(t.text, "{")) return odbc_call();
      if (same_text(t.text, "(")) unsupported("statement starting with '('");
      unexpected();
    }
    if (t.kind != TokenKind::Word) unexpected();
    if (word(K("select"))) {
      Stmt* s = make<Stmt>(StmtKind::Select, mr_);
      s->select = select();
      return s;
    }
    if (word(K("insert"))) return insert();
    if (word(K("update"))) return update();
    if (word(K("delete"))) return delete_stmt();
    if (word(K("if"))) return if_stmt();
    if (word(K("call"))) {
      ++pos_;
      return call_after_keyword(false);
    }
    if (word(K("exec")) || word(K("execute"))) return exec();
    if (word(K("alter")) || word(K("create"))) return create_or_alter();
    if (word(K("drop"))) return drop();
    if (word(K("set"))) return set_option();
    if (word(K("begin"))) return begin();
    if (word(K("commit")) || word(K("rollback"))) return transaction_end();
    if (word(K("truncate"))) return truncate();
    if (word(K("go"))) {
      ++pos_;
      return nullptr;
    }
    if (word(K("with"))) unsupported("common table expression (WITH)");
    if (word(K("declare"))) unsupported("variables (DECLARE)");
    if (word(K("end"))) fail("syntax error: END without BEGIN");
    if (word(K("else"))) fail("syntax error: ELSE without IF");
    std::string w(runtime::cut_to_width(t.text, 30));
    unsupported("statement " + runtime::to_upper(w));
  }

  Select* select() {
    DepthGuard guard(*this);
    Select* s = make<Select>(mr_);
    s->cores.push_back(select_core());
    while (true) {
      if (word(K("union"))) {
        ++pos_;
        s->operators.push_back(accept_word(K("all")) ? "UNION ALL" : "UNION");
      } else if (word(K("except"))) {
        ++pos_;
        s->operators.push_back("EXCEPT");
      } else if (word(K("intersect"))) {
        ++pos_;
        s->operators.push_back("INTERSECT");
      } else {
        break;
      }
      if (symbol("(")) unsupported("parenthesised SELECT in a UNION");
      s->cores.push_back(select_core());
    }
    if (word(K("order"))) {
      ++pos_;
      expect_word(K("by"));
      do {
        OrderItem item;
        item.expr = expr();
        if (accept_word(K("desc"))) {
          item.descending = item.explicit_direction = true;
        } else if (accept_word(K("asc"))) {
          item.explicit_direction = true;
        }
        s->order_by.push_back(item);
      } while (accept_symbol(","));
    }
    if (word(K("for"))) unsupported("FOR XML / FOR BROWSE");
    if (word(K("option"))) unsupported("query hints (OPTION)");
    if (word(K("into"))) unsupported("SELECT ... INTO");
    return s;
  }

  SelectCore* select_core() {
    expect_word(K("select"));
    SelectCore* c = make<SelectCore>(mr_);
    if (accept_word(K("distinct"))) {
      c->distinct = true;
    } else {
      accept_word(K("all"));
    }
    if (accept_word(K("top"))) {
      if (accept_symbol("(")) {
        c->top = expr();
        expect_symbol(")");
      } else if (peek().kind == TokenKind::Number) {
        c->top = primary();
      } else {
        fail("syntax error: TOP needs a number");
      }
      if (word(K("percent"))) unsupported("TOP ... PERCENT");
      if (word(K("with")) && word(K("ties"), 1)) unsupported("TOP ... WITH TIES");
    }
    do {
      c->items.push_back(select_item());
    } while (accept_symbol(","));
    if (word(K("into"))) unsupported("SELECT ... INTO");
    if (accept_word(K("from"))) from_list(c->from);
    if (accept_word(K("where"))) c->where = expr();
    if (word(K("group"))) {
      ++pos_;
      expect_word(K("by"));
      do {
        c->group_by.push_back(expr());
      } while (accept_symbol(","));
      if (word(K("with"))) unsupported("GROUP BY ... WITH ROLLUP/CUBE");
    }
    if (accept_word(K("having"))) c->having = expr();
    return c;
  }

  // `*` or `t.*`: only a whole select item (or the argument of count) may be a star.
  Expr* star_item() {
    std::size_t ahead = 0;
    while ((peek(ahead).kind == TokenKind::Word || peek(ahead).kind == TokenKind::QuotedName) &&
           symbol(".", ahead + 1)) {
      ahead += 2;
    }
    if (!symbol("*", ahead)) return nullptr;
    Expr* e = expr_node(ExprKind::Star);
    while (!symbol("*")) {
      e->names.push_back(take_name());
      ++pos_;
    }
    ++pos_;
    return e;
  }

  SelectItem select_item() {
    SelectItem item;
    if ((item.expr = star_item()) != nullptr) return item;
    if (name_token() && symbol("=", 1)) {  // T-SQL `alias = expression`
      item.alias = take_name();
      ++pos_;
      item.expr = expr();
      return item;
    }
    item.expr = expr();
    if (accept_word(K("as"))) {
      if (peek().kind == TokenKind::String) {
        item.alias = {peek().text, false};
        item.alias_is_string = true;
        ++pos_;
      } else {
        item.alias = take_name();
      }
    } else if (peek().kind == TokenKind::String) {
      item.alias = {peek().text, false};
      item.alias_is_string = true;
      ++pos_;
    } else if (name_token()) {
      item.alias = take_name();
    }
    return item;
  }

  void from_list(List<TableRef*>& out) {
    do {
      out.push_back(joined_table());
    } while (accept_symbol(","));
  }

  TableRef* joined_table() {
    DepthGuard guard(*this);
    TableRef* left = table_primary();
    while (true) {
      if (!peek().reserved) return left;  // every join keyword is a reserved word
      JoinKind kind;
      if (word(K("join"))) {
        kind = JoinKind::Inner;
        ++pos_;
      } else if (word(K("inner")) && word(K("join"), 1)) {
        kind = JoinKind::Inner;
        pos_ += 2;
      } else if (word(K("left")) || word(K("right")) || word(K("full"))) {
        kind = word(K("left")) ? JoinKind::Left : word(K("right")) ? JoinKind::Right : JoinKind::Full;
        ++pos_;
        accept_word(K("outer"));
        if (!accept_word(K("join"))) unsupported("join hint or malformed join");
      } else if (word(K("cross")) && word(K("join"), 1)) {
        kind = JoinKind::Cross;
        pos_ += 2;
      } else if ((word(K("cross")) || word(K("outer"))) && word(K("apply"), 1)) {
        unsupported("CROSS/OUTER APPLY");
      } else if (word(K("inner")) || word(K("cross"))) {
        unsupported("join hint or malformed join");
      } else {
        return left;
      }
      TableRef* j = make<TableRef>(TableKind::Join, mr_);
      j->join = kind;
      j->left = left;
      j->right = table_primary();
      if (kind != JoinKind::Cross) {
        expect_word(K("on"));
        j->on = expr();
      }
      left = j;
    }
  }

  void table_alias(TableRef* t) {
    if (accept_word(K("as"))) {
      t->alias = take_name();
    } else if (name_token()) {
      t->alias = take_name();
    }
    if (symbol("(") && !is_hint_word(peek(1)) && t->kind == TableKind::Derived) {
      unsupported("column list after a derived table alias");
    }
  }

  TableRef* table_primary() {
    DepthGuard guard(*this);
    if (symbol("(")) {
      if (word(K("select"), 1)) {
        ++pos_;
        TableRef* t = make<TableRef>(TableKind::Derived, mr_);
        t->select = select();
        expect_symbol(")");
        table_alias(t);
        return t;
      }
      ++pos_;
      TableRef* t = make<TableRef>(TableKind::Paren, mr_);
      t->left = joined_table();
      expect_symbol(")");
      return t;
    }
    if (peek().kind == TokenKind::Variable) unsupported("table variable " + std::string(peek().text));
    TableRef* t = make<TableRef>(TableKind::Table, mr_);
    t->name = object_name();
    if (symbol("(") && !is_hint_word(peek(1))) {
      t->kind = TableKind::Function;
      ++pos_;
      if (!symbol(")")) {
        do {
          t->args.push_back(expr());
        } while (accept_symbol(","));
      }
      expect_symbol(")");
    }
    skip_table_hints();
    table_alias(t);
    skip_table_hints();
    return t;
  }

  Stmt* insert() {
    ++pos_;
    Stmt* s = make<Stmt>(StmtKind::Insert, mr_);
    if (word(K("top"))) unsupported("INSERT TOP");
    accept_word(K("into"));
    s->target = object_name();
    skip_table_hints();
    if (symbol("(") && !word(K("select"), 1)) {
      ++pos_;
      do {
        s->columns.push_back(take_name());
      } while (accept_symbol(","));
      expect_symbol(")");
    }
    if (word(K("output"))) unsupported("OUTPUT clause");
    if (accept_word(K("values"))) {
      do {
        expect_symbol("(");
        List<Expr*> row(mr_);
        do {
          row.push_back(expr());
        } while (accept_symbol(","));
        expect_symbol(")");
        s->rows.push_back(std::move(row));
      } while (accept_symbol(","));
    } else if (word(K("select"))) {
      s->select = select();
    } else if (word(K("default")) && word(K("values"), 1)) {
      pos_ += 2;
      s->default_values = true;
    } else if (word(K("exec")) || word(K("execute"))) {
      unsupported("INSERT ... EXEC");
    } else {
      fail("syntax error: expected VALUES or SELECT");
    }
    return s;
  }

  Stmt* update() {
    ++pos_;
    Stmt* s = make<Stmt>(StmtKind::Update, mr_);
    if (word(K("top"))) unsupported("UPDATE TOP");
    s->target = object_name();
    skip_table_hints();
    expect_word(K("set"));
    do {
      if (peek().kind == TokenKind::Variable) unsupported("assignment to a variable in UPDATE");
      Assignment a;
      a.column = take_name();
      if (accept_symbol(".")) {
        a.qualifier = a.column;
        a.column = take_name();
        if (symbol(".")) unsupported("column qualified by more than a table in SET");
      }
      if (!symbol("=")) {
        if (peek().kind == TokenKind::Symbol && symbol("=", 1)) unsupported("compound assignment in SET");
        fail("syntax error: expected '='");
      }
      ++pos_;
      a.value = expr();
      s->assignments.push_back(a);
    } while (accept_symbol(","));
    if (word(K("output"))) unsupported("OUTPUT clause");
    if (accept_word(K("from"))) from_list(s->from);
    if (accept_word(K("where"))) {
      if (word(K("current")) && word(K("of"), 1)) unsupported("WHERE CURRENT OF");
      s->where = expr();
    }
    return s;
  }

  Stmt* delete_stmt() {
    ++pos_;
    Stmt* s = make<Stmt>(StmtKind::Delete, mr_);
    if (word(K("top"))) unsupported("DELETE TOP");
    accept_word(K("from"));
    s->target = object_name();
    skip_table_hints();
    if (word(K("as")) || name_token()) unsupported("alias on the DELETE target");
    if (word(K("output"))) unsupported("OUTPUT clause");
    if (accept_word(K("from"))) from_list(s->from);
    if (accept_word(K("where"))) {
      if (word(K("current")) && word(K("of"), 1)) unsupported("WHERE CURRENT OF");
      s->where = expr();
    }
    return s;
  }

  Stmt* if_stmt() {
    ++pos_;
    Stmt* s = make<Stmt>(StmtKind::If, mr_);
    s->condition = expr();
    block_or_statement(s->then_block);
    while (symbol(";")) ++pos_;
    if (accept_word(K("else"))) block_or_statement(s->else_block);
    return s;
  }

  bool begins_block() const {
    return word(K("begin")) && !word(K("tran"), 1) && !word(K("transaction"), 1) && !word(K("try"), 1);
  }

  void block_or_statement(Block& out) {
    DepthGuard guard(*this);
    if (begins_block()) {
      ++pos_;
      while (true) {
        while (symbol(";")) ++pos_;
        if (accept_word(K("end"))) return;
        if (peek().kind == TokenKind::End) fail("syntax error: BEGIN without END");
        if (Stmt* s = statement()) out.push_back(s);
      }
    }
    while (symbol(";")) ++pos_;
    if (peek().kind == TokenKind::End) fail("syntax error: IF without a statement");
    if (Stmt* s = statement()) out.push_back(s);
  }

  Stmt* begin() {
    if (word(K("try"), 1)) unsupported("BEGIN TRY");
    if (word(K("tran"), 1) || word(K("transaction"), 1)) {
      pos_ += 2;
      if (name_token()) ++pos_;
      Stmt* s = make<Stmt>(StmtKind::Transaction, mr_);
      s->word = "BEGIN";
      return s;
    }
    // A bare BEGIN ... END block runs its statements in order; hand them back as an IF that always holds.
    Stmt* s = make<Stmt>(StmtKind::If, mr_);
    block_or_statement(s->then_block);
    return s;
  }

  Stmt* transaction_end() {
    Stmt* s = make<Stmt>(StmtKind::Transaction, mr_);
    s->word = word(K("commit")) ? "COMMIT" : "ROLLBACK";
    ++pos_;
    if (accept_word(K("tran")) || accept_word(K("transaction")) || accept_word(K("work"))) {
      if (name_token()) ++pos_;
    }
    return s;
  }

  Stmt* truncate() {
    ++pos_;
    expect_word(K("table"));
    Stmt* s = make<Stmt>(StmtKind::Delete, mr_);
    s->target = object_name();
    return s;
  }

  Stmt* retcode_call() {
    ++pos_;
    if (!word(K("retcode"))) unsupported("output binding other than &RetCode");
    ++pos_;
    expect_symbol("=");
    expect_word(K("call"));
    return call_after_keyword(true);
  }

  Stmt* odbc_call() {
    ++pos_;
    bool retcode = false;
    if (accept_symbol("?")) {
      expect_symbol("=");
      retcode = true;
    }
    expect_word(K("call"));
    Stmt* s = call_after_keyword(retcode);
    expect_symbol("}");
    return s;
  }

  Stmt* call_after_keyword(bool retcode) {
    Stmt* s = make<Stmt>(StmtKind::Call, mr_);
    s->retcode = retcode;
    s->target = object_name();
    if (accept_symbol("(")) {
      if (!symbol(")")) {
        do {
          s->args.push_back(expr());
        } while (accept_symbol(","));
      }
      expect_symbol(")");
    }
    return s;
  }

  Stmt* exec() {
    ++pos_;
    if (symbol("(")) unsupported("dynamic SQL (EXEC (...))");
    if (peek().kind == TokenKind::Variable)
      unsupported("EXEC with a return variable or a procedure variable");
    Stmt* s = make<Stmt>(StmtKind::Call, mr_);
    s->target = object_name();
    if (at_statement_end() || is_statement_start()) return s;
    do {
      if (peek().kind == TokenKind::Variable && symbol("=", 1)) unsupported("named procedure arguments");
      s->args.push_back(expr());
      if (word(K("output")) || word(K("out"))) unsupported("OUTPUT procedure arguments");
    } while (accept_symbol(","));
    return s;
  }

  bool is_statement_start() const {
    static constexpr Keyword starts[] = {K("select"),   K("insert"), K("update"),  K("delete"), K("if"),
                                         K("call"),     K("exec"),   K("execute"), K("alter"),  K("create"),
                                         K("drop"),     K("set"),    K("begin"),   K("commit"), K("rollback"),
                                         K("truncate"), K("end"),    K("else"),    K("go")};
    for (const auto w : starts) {
      if (word(w)) return true;
    }
    return false;
  }

  Stmt* create_or_alter() {
    const bool alter = word(K("alter"));
    ++pos_;
    bool or_alter = false;
    if (!alter && word(K("or")) && word(K("alter"), 1)) {
      pos_ += 2;
      or_alter = true;
    }
    if (!accept_word(K("view"))) {
      std::string what(runtime::cut_to_width(peek().text, 30));
      unsupported(std::string(alter ? "ALTER " : "CREATE ") + runtime::to_upper(what));
    }
    Stmt* s = make<Stmt>(StmtKind::CreateView, mr_);
    s->alter = alter || or_alter;
    s->target = object_name();
    if (accept_symbol("(")) {
      do {
        s->columns.push_back(take_name());
      } while (accept_symbol(","));
      expect_symbol(")");
    }
    if (word(K("with"))) unsupported("view options (WITH SCHEMABINDING ...)");
    expect_word(K("as"));
    s->select = select();
    if (word(K("with"))) unsupported("WITH CHECK OPTION");
    return s;
  }

  Stmt* drop() {
    ++pos_;
    Stmt* s = make<Stmt>(StmtKind::DropObject, mr_);
    if (accept_word(K("view"))) {
      s->word = "VIEW";
    } else if (accept_word(K("table"))) {
      s->word = "TABLE";
    } else {
      std::string what(runtime::cut_to_width(peek().text, 30));
      unsupported("DROP " + runtime::to_upper(what));
    }
    if (word(K("if")) && word(K("exists"), 1)) {
      pos_ += 2;
      s->if_exists = true;
    }
    s->target = object_name();
    if (symbol(",")) unsupported("DROP of several objects");
    return s;
  }

  // Session settings that do not change what the subset's statements mean are accepted and ignored.
  Stmt* set_option() {
    ++pos_;
    if (peek().kind == TokenKind::Variable) unsupported("variables (SET @...)");
    static constexpr std::string_view on_off[] = {
        "nocount",    "ansi_nulls", "ansi_warnings",           "ansi_padding",      "quoted_identifier",
        "arithabort", "xact_abort", "concat_null_yields_null", "ansi_null_dflt_on", "implicit_transactions"};
    for (const auto o : on_off) {
      if (is_word(peek(), o)) {
        if (o == "implicit_transactions" && word(K("on"), 1)) unsupported("SET IMPLICIT_TRANSACTIONS ON");
        if (o == "concat_null_yields_null" && word(K("off"), 1))
          unsupported("SET CONCAT_NULL_YIELDS_NULL OFF");
        if (o == "ansi_nulls" && word(K("off"), 1)) unsupported("SET ANSI_NULLS OFF");
        ++pos_;
        if (!accept_word(K("on")) && !accept_word(K("off"))) fail("syntax error: expected ON or OFF");
        return make<Stmt>(StmtKind::Nothing, mr_);
      }
    }
    if (word(K("datefirst")) || word(K("lock_timeout")) || word(K("deadlock_priority"))) {
      ++pos_;
      accept_symbol("-");
      if (peek().kind != TokenKind::Number && peek().kind != TokenKind::Word)
        fail("syntax error: expected a value");
      ++pos_;
      return make<Stmt>(StmtKind::Nothing, mr_);
    }
    if (word(K("dateformat")) || word(K("language"))) {
      ++pos_;
      if (peek().kind != TokenKind::Word && peek().kind != TokenKind::String)
        fail("syntax error: expected a value");
      ++pos_;
      return make<Stmt>(StmtKind::Nothing, mr_);
    }
    if (word(K("transaction")) && word(K("isolation"), 1) && word(K("level"), 2)) {
      pos_ += 3;
      while (peek().kind == TokenKind::Word && !is_statement_start()) ++pos_;
      return make<Stmt>(StmtKind::Nothing, mr_);
    }
    std::string what(runtime::cut_to_width(peek().text, 30));
    unsupported("SET " + runtime::to_upper(what));
  }

  // ---- expressions ----
  Expr* expr() {
    DepthGuard guard(*this);
    Expr* left = and_expr();
    ChainGuard chain(*this);
    while (word(K("or"))) {
      chain.next();
      ++pos_;
      left = binary("or", left, and_expr());
    }
    return left;
  }
  Expr* and_expr() {
    Expr* left = not_expr();
    ChainGuard chain(*this);
    while (word(K("and"))) {
      chain.next();
      ++pos_;
      left = binary("and", left, not_expr());
    }
    return left;
  }
  Expr* not_expr() {
    if (word(K("not"))) {
      DepthGuard guard(*this);
      ++pos_;
      Expr* e = expr_node(ExprKind::Unary);
      e->text = "not";
      e->a = not_expr();
      return e;
    }
    return predicate();
  }
  Expr* binary(std::string_view op, Expr* a, Expr* b) {
    Expr* e = expr_node(ExprKind::BinaryOp);
    e->text = op;
    e->a = a;
    e->b = b;
    return e;
  }

  Expr* predicate() {
    if (word(K("exists"))) {
      ++pos_;
      Expr* e = expr_node(ExprKind::Exists);
      expect_symbol("(");
      e->select = select();
      expect_symbol(")");
      return e;
    }
    Expr* left = additive();
    ChainGuard chain(*this);
    while (true) {
      chain.next();
      const Token& t = peek();
      if (t.kind == TokenKind::Symbol) {
        std::string_view op;
        if (same_text(t.text, "=") || same_text(t.text, "<>") || same_text(t.text, "<") ||
            same_text(t.text, ">") || same_text(t.text, "<=") || same_text(t.text, ">=")) {
          op = t.text;
        } else if (same_text(t.text, "!=")) {
          op = "<>";
        } else if (same_text(t.text, "!<")) {
          op = ">=";
        } else if (same_text(t.text, "!>")) {
          op = "<=";
        } else {
          return left;
        }
        ++pos_;
        if (word(K("any")) || word(K("some")) || word(K("all"))) unsupported("comparison with ANY/SOME/ALL");
        left = binary(op, left, additive());
        continue;
      }
      if (t.kind != TokenKind::Word) return left;
      switch (t.key) {  // the only words that continue a predicate
        case K("not").key:
        case K("in").key:
        case K("like").key:
        case K("between").key:
        case K("is").key:
          break;
        default:
          return left;
      }
      bool negated = false;
      if (word(K("not")) && (word(K("in"), 1) || word(K("like"), 1) || word(K("between"), 1))) {
        negated = true;
        ++pos_;
      }
      if (accept_word(K("in"))) {
        expect_symbol("(");
        Expr* e;
        if (word(K("select"))) {
          e = expr_node(ExprKind::InSelect);
          e->select = select();
        } else {
          e = expr_node(ExprKind::InList);
          do {
            e->list.push_back(expr());
          } while (accept_symbol(","));
        }
        expect_symbol(")");
        e->a = left;
        e->negated = negated;
        left = e;
      } else if (accept_word(K("like"))) {
        Expr* e = expr_node(ExprKind::Like);
        e->a = left;
        e->b = additive();
        if (accept_word(K("escape"))) e->c = additive();
        e->negated = negated;
        left = e;
      } else if (accept_word(K("between"))) {
        Expr* e = expr_node(ExprKind::Between);
        e->a = left;
        e->b = additive();
        expect_word(K("and"));
        e->c = additive();
        e->negated = negated;
        left = e;
      } else if (word(K("is"))) {
        ++pos_;
        Expr* e = expr_node(ExprKind::IsNull);
        e->negated = accept_word(K("not"));
        expect_word(K("null"));
        e->a = left;
        left = e;
      } else {
        return left;
      }
    }
  }

  Expr* additive() {
    Expr* left = multiplicative();
    ChainGuard chain(*this);
    while (true) {
      const Token& t = peek();
      if (t.kind != TokenKind::Symbol) return left;
      if (!same_text(t.text, "+") && !same_text(t.text, "-") && !same_text(t.text, "&") &&
          !same_text(t.text, "|") && !same_text(t.text, "^"))
        return left;
      ++pos_;
      chain.next();
      left = binary(t.text, left, multiplicative());
    }
  }

  Expr* multiplicative() {
    Expr* left = unary();
    ChainGuard chain(*this);
    while (true) {
      const Token& t = peek();
      if (t.kind != TokenKind::Symbol) return left;
      if (!same_text(t.text, "*") && !same_text(t.text, "/") && !same_text(t.text, "%")) return left;
      ++pos_;
      chain.next();
      left = binary(t.text, left, unary());
    }
  }

  Expr* unary() {
    const Token& t = peek();
    if (t.kind == TokenKind::Symbol &&
        (same_text(t.text, "-") || same_text(t.text, "+") || same_text(t.text, "~"))) {
      DepthGuard guard(*this);
      ++pos_;
      Expr* e = expr_node(ExprKind::Unary);
      e->text = t.text;
      e->a = unary();
      return e;
    }
    return primary();
  }

  Expr* primary() {
    DepthGuard guard(*this);
    const Token& t = peek();
    switch (t.kind) {
      case TokenKind::Number:
      case TokenKind::String:
      case TokenKind::Binary: {
        Expr* e = expr_node(t.kind == TokenKind::Number   ? ExprKind::Number
                            : t.kind == TokenKind::String ? ExprKind::String
                                                          : ExprKind::Binary);
        e->text = t.text;
        ++pos_;
        return e;
      }
      case TokenKind::Variable: {
        if (t.text.size() < 2 || t.text[1] != '@') unsupported("variable " + std::string(t.text));
        Expr* e = expr_node(ExprKind::Variable);
        e->text = t.text;
        ++pos_;
        if (accept_symbol("(")) expect_symbol(")");
        return e;
      }
      case TokenKind::Symbol:
        if (same_text(t.text, "(")) return parenthesised();
        if (same_text(t.text, "{")) unsupported("ODBC escape sequence in an expression");
        unexpected();
      case TokenKind::QuotedName:
        return name_expression();
      case TokenKind::Word:
        break;
      case TokenKind::End:
        unexpected();
    }
    if (word(K("null"))) {
      ++pos_;
      return expr_node(ExprKind::Null);
    }
    if (word(K("case"))) return case_expr();
    if (word(K("cast")) && symbol("(", 1)) return cast_expr();
    if (word(K("convert")) && symbol("(", 1)) return convert_expr();
    if ((word(K("try_cast")) || word(K("try_convert"))) && symbol("(", 1))
      unsupported("TRY_CAST/TRY_CONVERT");
    if (is_reserved(t) && !symbol("(", 1)) unexpected();
    return name_expression();
  }

  Expr* parenthesised() {
    ++pos_;
    if (word(K("select"))) {
      Expr* e = expr_node(ExprKind::Subquery);
      e->select = select();
      expect_symbol(")");
      return e;
    }
    Expr* e = expr_node(ExprKind::Paren);
    e->a = expr();
    expect_symbol(")");
    return e;
  }

  Expr* name_expression() {
    Expr* e = expr_node(ExprKind::Column);
    e->names.push_back(take_name());
    while (symbol(".")) {
      ++pos_;
      if (peek().kind != TokenKind::Word && peek().kind != TokenKind::QuotedName)
        fail("syntax error: expected a name");
      e->names.push_back(take_name());
    }
    if (e->names.size() > 4) unsupported("name with more than four parts");
    if (symbol("(")) {
      ++pos_;
      e->kind = ExprKind::Function;
      e->text = e->names.back().text;
      if (accept_word(K("distinct"))) {
        e->distinct = true;
      } else {
        accept_word(K("all"));
      }
      if (symbol("*") && symbol(")", 1)) {  // count(*)
        ++pos_;
        e->list.push_back(expr_node(ExprKind::Star));
      } else if (!symbol(")")) {
        do {
          e->list.push_back(expr());
        } while (accept_symbol(","));
      }
      expect_symbol(")");
      if (word(K("over"))) unsupported("window functions (OVER)");
      if (word(K("within"))) unsupported("WITHIN GROUP");
    }
    return e;
  }

  Expr* case_expr() {
    ++pos_;
    Expr* e = expr_node(ExprKind::Case);
    if (!word(K("when"))) e->a = expr();
    if (!word(K("when"))) fail("syntax error: expected WHEN");
    while (accept_word(K("when"))) {
      e->list.push_back(expr());
      expect_word(K("then"));
      e->list.push_back(expr());
    }
    if (accept_word(K("else"))) e->c = expr();
    expect_word(K("end"));
    return e;
  }

  TypeSpec type_spec() {
    TypeSpec ts;
    if (peek().kind != TokenKind::Word) fail("syntax error: expected a type name");
    ts.name = peek().text;
    ++pos_;
    if (accept_symbol("(")) {
      if (accept_word(K("max"))) {
        ts.length = -2;
      } else {
        ts.length = ts.precision = small_number();
        if (accept_symbol(",")) ts.scale = small_number();
      }
      expect_symbol(")");
    }
    return ts;
  }
  int small_number() {
    const Token& t = peek();
    if (t.kind != TokenKind::Number || t.text.size() > 6 ||
        t.text.find_first_not_of("0123456789") != std::string_view::npos) {
      fail("syntax error: expected a whole number");
    }
    ++pos_;
    int v = 0;
    for (const char c : t.text) v = v * 10 + (c - '0');
    return v;
  }

  Expr* cast_expr() {
    pos_ += 2;
    Expr* e = expr_node(ExprKind::Cast);
    e->a = expr();
    expect_word(K("as"));
    e->type = type_spec();
    expect_symbol(")");
    return e;
  }

  Expr* convert_expr() {
    pos_ += 2;
    Expr* e = expr_node(ExprKind::Cast);
    e->is_convert = true;
    e->type = type_spec();
    expect_symbol(",");
    e->a = expr();
    if (accept_symbol(",")) e->b = expr();
    expect_symbol(")");
    return e;
  }

  const Token* t_;
  std::size_t last_;  // the End token
  std::pmr::memory_resource* mr_;
  std::size_t pos_ = 0;
  int depth_ = 0;
  int nesting_ = 0;
};

}  // namespace

ParseResult parse(const std::vector<Token>& tokens, std::pmr::memory_resource* arena) {
  ParseResult r(arena);
  try {
    Parser p(tokens, arena);
    r.statements = p.batch();
  } catch (const ParseError& e) {
    r.error = e.text;
  }
  return r;
}

bool same_name(const Name& a, const Name& b) {
  if (!a.delimited && !b.delimited) {
    if (a.text.size() != b.text.size()) return false;
    bool ascii = true;
    for (std::size_t i = 0; i < a.text.size() && ascii; ++i) {
      ascii = static_cast<unsigned char>(a.text[i]) < 0x80 && static_cast<unsigned char>(b.text[i]) < 0x80;
    }
    if (ascii) {
      std::string lower(a.text);
      for (auto& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
      }
      return ascii_lower_equals(b.text, lower);
    }
  }
  return name_value(a) == name_value(b);
}

bool name_is(const Name& a, std::string_view lower_ascii) {
  if (!a.delimited) return ascii_lower_equals(a.text, lower_ascii);
  return runtime::to_lower(quoted_name_value(a.text)) == lower_ascii;
}

}  // namespace db::tsql
