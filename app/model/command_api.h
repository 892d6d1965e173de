// The command API: what each command code does to the converter and what it
// answers. The window hands over requests that arrived by WM_COPYDATA and
// codes that arrived by the registered message; the texts and numbers
// returned here are the whole answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/command_request.h"
#include "model/converter.h"
#include "model/message_catalog.h"

namespace radixpad {

// Texts entered into a field (codes 401-404) may be at most this long, the
// most a field shows. Every character costs a full evaluation, so an
// unbounded text would hold the window for quadratic time.
inline constexpr std::size_t kMaxEnteredText = kMaxFieldText;

// What the commands need of the window besides the converter.
class CommandFields {
 public:
  virtual ~CommandFields() = default;
  virtual void FocusField(int field) = 0;
  // Replaces the text of the focused field as a user's edit does, so that the
  // converter's live conversion runs on it.
  virtual void TypeFieldText(int field, std::string_view text) = 0;
  virtual std::string FieldText(int field) = 0;
};

class CommandApi {
 public:
  CommandApi(Converter& converter, CommandFields& fields, const MessageCatalog& catalog)
      : converter_(converter), fields_(fields), catalog_(catalog) {}

  // A WM_COPYDATA request: carries out the command and returns the reply
  // text. `keep_lock` is the setting that Enter consults.
  std::string Handle(const CommandRequest& request, bool keep_lock);

  // The registered message: the answer of a query code, nothing for any
  // other code (the window passes those on).
  std::optional<int> Query(std::uintptr_t code) const;

 private:
  std::string EnterText(int field, std::string_view text, bool keep_lock);

  Converter& converter_;
  CommandFields& fields_;
  const MessageCatalog& catalog_;
};

}  // namespace radixpad
