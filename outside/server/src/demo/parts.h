// The parts of the demo data, filled in order by fill_demo_data.
#pragma once

#include <sqlite3.h>

#include <random>

#include "db/status.h"
#include "server/demo.h"

namespace server::demo {

struct Context {
  sqlite3* db = nullptr;
  DemoSize size = DemoSize::Demo;
  std::mt19937 random{20261207};
  db::Status status;

  bool large() const { return size == DemoSize::Large; }
  int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); }
};

inline constexpr std::int64_t kAdministrator = 3000001;
inline constexpr std::int64_t kOrdinaryUser = 3000002;

void add_companies(Context& c);      // companies, addresses, warehouses, cash desks, accounts
void add_users(Context& c);          // users, groups, grants, permission catalogue
void add_configuration(Context& c);  // configuration catalogue and values, system rows
void add_documents(Context& c);      // document types and numbering definitions
void add_money(Context& c);          // VAT rates, countries, currencies, rates, banks, tax offices
void add_people(Context& c);         // employees and contractors
void add_windows(Context& c);        // window and column catalogues with the users' rows
void add_reports(Context& c);        // reports, their parameters, variants and stored values
void add_profiles(Context& c);       // setting profiles of the data exchange and their assignments
void add_credit(Context& c);         // payers in each credit blocking mode, their settlements and documents
void add_access(Context& c);         // additional operations, sales-system links, the limited user
void add_classifiers(Context& c);    // additional fields, their dictionaries, articles and field values

}  // namespace server::demo
