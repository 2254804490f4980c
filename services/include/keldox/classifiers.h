// Classifiers: the additional fields an administrator defines for each kind of record. Their definitions
// are the session list GLO.KOL_KLASYFIKATOROW; their values live in columns of the record's own table
// (the group "Rozrachunek" through the view "Rozrachunek_mag_v").
//
// Callers hold the values of one record in ten texts of 100 characters, values[n - 1] for field number n,
// and, for filters and group changes, a parallel array of operators or change marks.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/text.h"

namespace dane {
class ReportBand;
class Window;
}  // namespace dane

namespace keldox {

inline constexpr std::size_t kClassifierFields = 10;
using ClassifierValues = std::array<runtime::FixedText<100>, kClassifierFields>;
// Operators of a filter ("=", "zawiera" ...) or change marks of a group change ("1" changed, "0" not).
using ClassifierMarks = std::array<runtime::FixedText<100>, kClassifierFields>;

// Fills the values of one record. Mode 1 (a new record) gives each field its default, a required date
// without one today; any other mode reads the record's columns where `key_column` equals `record`.
// Modes other than 0 then compute the fields whose values come from a server function. A failed read
// shows the server's message and leaves the values as they were. Only the fields numbered from 1 without
// a gap take part. Answers 1 when any value is not empty.
std::uint8_t KLASYFIKATORY_INITUSE(std::string_view key_column, std::string_view group, double record,
                                   ClassifierValues& values, std::uint8_t mode = 0);

// True, after warning and (when a window is given) sending its focus to the field's entry, when an
// active field is required and empty or holds a value that is not one of its list.
bool KLASYFIKATORY_WALIDUJ(std::string_view group, const ClassifierValues& values,
                           dane::Window* window = nullptr);

// Saves the values. With `record` above 0 the row where `key_column` equals it gets every defined
// field; with `record` 0 `key_column` is a whole condition and only the fields whose change mark reads
// as a number other than 0 take part (a group change), articles then passing them on to their twins of
// the same guid_artykul unless "SynchroArt" is "Rozłączne". Quotes of "tekst" values are doubled in
// `values` itself. A failure shows the server's message.
void KLASYFIKATORY_ZAPISZ(std::string_view key_column, std::string_view group, double record,
                          ClassifierValues& values, const ClassifierMarks* change_marks = nullptr);

// The SQL condition (over the alias "A.") that the non-empty values describe: text fields by prefix
// without operators, the given operators otherwise ("zawiera", "nie zawiera", comparisons; numbers and
// dates compared as numbers). Empty when no value takes part.
std::string KLASYFIKATORY_UTWORZSQL(std::string_view group, const ClassifierValues& values,
                                    const ClassifierMarks* operators = nullptr);

// Places "caption:  value" text controls (numbered from 5001) on the band for each active field whose
// character at its number in `selection` is "1", in two columns. True when no field was placed.
bool KLASYFIKATORY_RAPORT(std::string_view group, const ClassifierValues& values, std::string_view selection,
                          dane::ReportBand& band);

// The edit window "Klasyfikatory_Okno" of the group's active fields. A mode other than 0 first fills
// the values through KLASYFIKATORY_INITUSE with that mode. Given operators, the window edits a filter:
// each field gets its operator list. On OK (after KLASYFIKATORY_WALIDUJ, which a filter skips) the values and
// operators go back to the caller; a cancelled window leaves them as they were. Answers 1 when the user
// accepted.
std::uint8_t KLASYFIKATORY_OKNO(std::string_view key_column, std::string_view group, double record,
                                ClassifierValues& values, std::uint8_t mode = 0,
                                ClassifierMarks* operators = nullptr);

// Who answers "Otwórz słownik": the value picker of the dictionaries library, registered when it starts.
// It gets the dictionary and the current value and returns the chosen value, or nothing when the user
// cancelled. Without a picker the button does nothing.
using ClassifierValuePicker =
    std::function<std::optional<std::string>(std::uint32_t dictionary, std::string_view current)>;
void set_classifier_value_picker(ClassifierValuePicker picker);

}  // namespace keldox
