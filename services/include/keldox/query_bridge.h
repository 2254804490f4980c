// The bridge that loads large lists from one delimited query result of the utility module ZORVAutilKS.
//
// The module runs the query over its own connection and answers every row at once: each value followed
// by the field separator, each row by the record separator, no quoting. Whenever the bridge answers
// nothing (module or entry point missing, failed or empty query, a value holding a separator, a result
// too long to pass), callers load the same rows through the pass-through channel instead. UI thread only.
#pragma once

#include <string>
#include <string_view>

#include "dane/list_target.h"

namespace keldox {

// Opens the module's connection with GLO.OWNERNAME and returns its status text (at most 999,999
// characters); one that begins with "-1" is a failure, shown in a warning with the module's reason.
// Empty, after a warning, when the module or its entry point is missing.
std::string DOTNETUTWORZPOLACZENIESQL();

// The delimited result of `statement` (its first 9,999 characters). The separators are the first
// characters of non-blank texts, else "^" and ";". Empty on any failure, with a warning when the module
// or its entry point is missing. A value holding either separator empties the whole answer, and so does
// a result longer than 4,000,000 characters: a cut answer would lose rows without anyone noticing.
std::string DOTNETPODAJKOLEJKESQL(std::string_view statement, std::string_view record_separator = {},
                                  std::string_view field_separator = {});

// Appends the records of a delimited result to the list. A text without any record separator adds
// nothing; the text after the last record separator is the last record. A record (its first 10,000
// characters) without a field separator is skipped; otherwise its pieces (first 2,000 characters of
// each) go into the record's fields in declaration order by ordinary assignment, pieces beyond the
// field count are ignored and fields without a piece stay cleared. The list is not sorted.
void DOTNETZALADUJKOLEJKE(dane::ListTarget target, std::string_view result,
                          std::string_view record_separator = {}, std::string_view field_separator = {});

}  // namespace keldox
