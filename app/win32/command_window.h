// The command API's window side: the registered message "RadixPad" and
// WM_COPYDATA requests that arrive at the converter window, answered through
// CommandApi, and the message log in debug mode.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "model/command_api.h"
#include "model/converter.h"
#include "model/converter_view.h"
#include "model/message_catalog.h"

namespace radixpad::win32 {

// What the window's settings say at the moment a message arrives.
struct CommandSettings {
  bool debug = false;
  bool keep_lock = false;
};

class CommandWindow final : private CommandFields {
 public:
  // `view` is the converter window itself: writing a field's text there
  // arrives as an edit of that field.
  CommandWindow(Converter& converter, ConverterView& view, const MessageCatalog& catalog,
                const std::string& program_folder);
  CommandWindow(const CommandWindow&) = delete;
  CommandWindow& operator=(const CommandWindow&) = delete;

  // The answer to a command message, nothing for every other message (and
  // for registered-message codes that are not queries, which the window
  // passes on to the default procedure).
  std::optional<LRESULT> Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               const CommandSettings& settings);

 private:
  LRESULT OnCopyData(HWND window, HWND requester, const COPYDATASTRUCT* data, const CommandSettings& settings);

  // --- CommandFields over the converter window ---
  void FocusField(int field) override { view_.FocusField(field); }
  void TypeFieldText(int field, std::string_view text) override { view_.SetFieldText(field, text); }
  std::string FieldText(int field) override { return view_.FieldText(field); }

  ConverterView& view_;
  CommandApi api_;
  std::string log_path_;
  UINT registered_message_;
};

}  // namespace radixpad::win32
