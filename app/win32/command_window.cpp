#include "command_window.h"

#include <ctime>

#include "model/command_reply.h"
#include "model/message_log.h"

namespace radixpad::win32 {
namespace {

constexpr char kRegisteredMessageName[] = "RadixPad";

// The reply goes back synchronously to the requester's window. It is not
// checked: a handle that is no window loses the reply, and the request has
// still been carried out. A request that names this window as the requester
// loses its reply too: the reply would arrive here as a new request, whose
// reply would again, without end.
void SendReply(HWND window, HWND requester, ULONG_PTR code, const std::string& reply) {
  if (requester == window) return;
  COPYDATASTRUCT data{};
  data.dwData = code;
  data.cbData = static_cast<DWORD>(reply.size());
  data.lpData = const_cast<char*>(reply.data());
  SendMessageA(requester, WM_COPYDATA, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&data));
}

}  // namespace

CommandWindow::CommandWindow(Converter& converter, ConverterView& view, const MessageCatalog& catalog,
                             const std::string& program_folder)
    : view_(view),
      api_(converter, *this, catalog),
      log_path_(MessageLogPath(program_folder)),
      registered_message_(RegisterWindowMessageA(kRegisteredMessageName)) {}

std::optional<LRESULT> CommandWindow::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            const CommandSettings& settings) {
  if (message == WM_COPYDATA)
    return OnCopyData(window, reinterpret_cast<HWND>(wParam), reinterpret_cast<const COPYDATASTRUCT*>(lParam),
                      settings);
  if (registered_message_ == 0 || message != registered_message_) return std::nullopt;
  if (settings.debug)
    AppendLogEntry(log_path_, std::time(nullptr),
                   RegisteredMessageEntry(static_cast<std::intptr_t>(wParam), static_cast<std::intptr_t>(lParam)));
  const std::optional<int> answer = api_.Query(wParam);
  if (!answer) return std::nullopt;
  return static_cast<LRESULT>(*answer);
}

LRESULT CommandWindow::OnCopyData(HWND window, HWND requester, const COPYDATASTRUCT* data,
                                  const CommandSettings& settings) {
  CopyDataEnvelope envelope;
  if (data != nullptr) envelope = {true, data->dwData, data->cbData, data->lpData};
  const std::optional<CommandRequest> request = ReadCommandRequest(envelope);
  if (settings.debug)
    AppendLogEntry(log_path_, std::time(nullptr),
                   CopyDataEntry(reinterpret_cast<std::intptr_t>(requester), envelope.code),
                   request ? std::string_view(request->text) : std::string_view());
  const std::string reply = request ? api_.Handle(*request, settings.keep_lock) : BadRequestReply();
  SendReply(window, requester, envelope.code, reply);
  return TRUE;
}

}  // namespace radixpad::win32
