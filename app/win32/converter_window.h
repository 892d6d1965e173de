// The converter window: the modal dialog 102 that is RadixPad's whole user
// interface. It shows the Converter's four fields in its edit controls, draws
// the skin buttons and routes keys, clicks and edits to the Converter.
#pragma once

#include <windows.h>

#include <string>

#include "core/context.h"
#include "model/converter_engine.h"
#include "model/message_catalog.h"

namespace radixpad::win32 {

// What the application object lends the window for its lifetime.
struct ConverterWindowSetup {
  HINSTANCE instance = nullptr;
  calc::CalcContext* context = nullptr;
  ConverterEngine* engine = nullptr;
  const MessageCatalog* catalog = nullptr;
  std::string program_folder;
  std::string settings_file;  // the profile file's name, without a folder
  bool hidden_start = false;  // "-icon": the window stays hidden at first
};

// Runs the converter window until it is closed. Returns the dialog's result,
// or -1 when the dialog could not be created.
INT_PTR RunConverterWindow(const ConverterWindowSetup& setup);

}  // namespace radixpad::win32
