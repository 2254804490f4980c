// The generic dictionary update form: runs the life of a described form (request, relations, defaults,
// field history, the edit permission, titles by mode, help), checks lookups and duplicate keys, and writes
// the record through its store.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dane/record_form.h"
#include "pattern/description.h"
#include "pattern/hooks.h"

namespace slownik {

class DictionaryForm : public dane::RecordForm {
 public:
  DictionaryForm(const Description& description, dane::RecordStore& store);
  ~DictionaryForm() override;

  const Description& description() const { return description_; }
  // The text the title shows before the form is shown: the mode's action text.
  const std::string& action_text() const { return action_text_; }

  // Runs the dictionary's statement for a check; its failure shows the form's validation failure with the
  // database's text. Nothing when it failed.
  std::optional<std::string> check_statement(std::string_view statement);
  // Sets a field as the program does, not as typed: a disabled field takes it too.
  void put(std::string_view field, std::string_view value);
  // Shows a warning in the system's warning box.
  void warn(const std::string& text) override;

 protected:
  bool initialise() override;
  void opened() override;
  void kill() override;
  bool validate_field(std::string_view name) override;
  std::optional<std::string> validate_record() override;
  bool save() override;
  void on_lookup(std::string_view field) override;

 private:
  // E: an empty value passes (unless required), a key the looked-up table has passes, anything else calls
  // the lookup browse; false keeps the focus on the field.
  bool check_lookup(const dane::Column& column);
  bool call_lookup(const dane::Column& column);
  std::optional<std::string> check_duplicates();

  const Description& description_;
  std::unique_ptr<DictionaryHooks> hooks_;
  std::string action_text_;
};

// Runs the dictionary's form over the store with the request in GLOBALREQUEST (copied and cleared), and
// leaves its response in GLOBALRESPONSE.
dane::Response run_dictionary_form(const Description& description, dane::RecordStore& store);

}  // namespace slownik
