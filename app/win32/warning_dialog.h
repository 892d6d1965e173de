// The warning dialog (115, "警告の詳細"): lists the catalogue's message for
// every report of the last evaluation, oldest first.
#pragma once

#include <windows.h>

#include "model/error_log.h"
#include "model/message_catalog.h"

namespace radixpad::win32 {

// Runs the dialog modally over `owner`.
void RunWarningDialog(HINSTANCE instance, HWND owner, const MessageCatalog& catalog, const ErrorLog& log);

}  // namespace radixpad::win32
