// radixpad-send: sends one command to the running RadixPad and prints its answer.
//
//   radixpad-send CODE [TEXT]   a WM_COPYDATA request; TEXT (if given) is sent followed by
//                               CR LF. Prints the reply's payload, one line per line.
//   radixpad-send -m CODE       the registered message "RadixPad"; prints its answer.
//
// Exit status: 0 "200 OK" (or the registered message answered), 1 "400 Bad Request",
// 2 RadixPad is not running or did not answer, 3 wrong arguments.
// RadixPad is found through the window handle it publishes in the shared store.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "model/command_reply.h"
#include "model/command_request.h"
#include "shared_store.h"
#include "store_text.h"

namespace {

constexpr char kStoreName[] = "RadixPad";
constexpr char kRegisteredMessageName[] = "RadixPad";
constexpr char kReplyClass[] = "RadixPadSendReply";
// RadixPad answers at once; a window that takes longer is taken as hung.
constexpr UINT kAnswerTimeoutMs = 30000;

enum Exit { kOk = 0, kBadRequest = 1, kNotRunning = 2, kUsage = 3 };

// The reply as it reached the reply window (at most one per request).
struct ReplyBox {
  HWND radixpad = nullptr;
  bool received = false;
  std::string text;
};

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    auto* box = reinterpret_cast<ReplyBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    // Only RadixPad's answer counts, and only a well-formed envelope is read.
    if (box != nullptr && !box->received && reinterpret_cast<HWND>(wParam) == box->radixpad && data != nullptr &&
        data->cbData <= radixpad::kMaxRequestBytes && (data->lpData != nullptr || data->cbData == 0)) {
      box->text.assign(static_cast<const char*>(data->lpData), data->cbData);
      box->received = true;
    }
    return TRUE;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A code is a plain decimal number.
std::optional<std::uintptr_t> ParseCode(const char* text) {
  std::uintptr_t code = 0;
  if (*text == '\0') return std::nullopt;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9' || code > (UINTPTR_MAX - 9) / 10) return std::nullopt;
    code = code * 10 + static_cast<std::uintptr_t>(*p - '0');
  }
  return code;
}

HWND FindRadixPad() {
  const radixpad::SharedStore store(kStoreName, false);
  const radixpad::SharedStore::Lookup handle = store.Get("HWnd", "0");
  if (!handle.store_found) return nullptr;
  const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(radixpad::ParseLeadingInteger(handle.text)));
  return IsWindow(window) ? window : nullptr;
}

// Prints the payload with one line end per line.
void PrintPayload(std::string_view payload) {
  for (std::size_t start = 0;;) {
    const std::size_t end = payload.find("\r\n", start);
    const std::string_view line = payload.substr(start, end == std::string_view::npos ? payload.npos : end - start);
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    if (end == std::string_view::npos) break;
    start = end + 2;
  }
}

int SendRegisteredMessage(HWND radixpad, std::uintptr_t code) {
  const UINT message = RegisterWindowMessageA(kRegisteredMessageName);
  DWORD_PTR answer = 0;
  if (message == 0 ||
      SendMessageTimeoutA(radixpad, message, code, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer) == 0) {
    std::fprintf(stderr, "radixpad-send: RadixPad did not answer\n");
    return kNotRunning;
  }
  std::printf("%d\n", static_cast<int>(static_cast<LRESULT>(answer)));
  return kOk;
}

int SendRequest(HWND radixpad, std::uintptr_t code, const char* text) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = ReplyProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = kReplyClass;
  RegisterClassA(&window_class);
  const HWND reply_window =
      CreateWindowExA(0, kReplyClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, window_class.hInstance, nullptr);
  if (reply_window == nullptr) {
    std::fprintf(stderr, "radixpad-send: cannot make a window for the reply\n");
    return kNotRunning;
  }
  ReplyBox box;
  box.radixpad = radixpad;
  SetWindowLongPtrA(reply_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&box));

  std::string argument = text != nullptr ? std::string(text) + "\r\n" : std::string();
  COPYDATASTRUCT data{};
  data.dwData = code;
  data.cbData = static_cast<DWORD>(argument.size());
  data.lpData = argument.empty() ? nullptr : argument.data();
  DWORD_PTR result = 0;
  const bool delivered = SendMessageTimeoutA(radixpad, WM_COPYDATA, reinterpret_cast<WPARAM>(reply_window),
                                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                                             &result) != 0;
  DestroyWindow(reply_window);
  const std::optional<radixpad::ParsedReply> reply =
      delivered && box.received ? radixpad::ParseReply(box.text) : std::nullopt;
  if (!reply) {
    std::fprintf(stderr, "radixpad-send: RadixPad did not answer\n");
    return kNotRunning;
  }
  if (!reply->ok) {
    std::fprintf(stderr, "radixpad-send: 400 Bad Request\n");
    return kBadRequest;
  }
  PrintPayload(reply->payload);
  return kOk;
}

int Usage() {
  std::fprintf(stderr, "usage: radixpad-send CODE [TEXT]\n       radixpad-send -m CODE\n");
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  const bool registered = argc >= 2 && std::strcmp(argv[1], "-m") == 0;
  if (registered ? argc != 3 : argc < 2 || argc > 3) return Usage();
  const std::optional<std::uintptr_t> code = ParseCode(argv[registered ? 2 : 1]);
  if (!code) return Usage();
  const HWND radixpad = FindRadixPad();
  if (radixpad == nullptr) {
    std::fprintf(stderr, "radixpad-send: RadixPad is not running\n");
    return kNotRunning;
  }
  const int status = registered ? SendRegisteredMessage(radixpad, *code)
                                : SendRequest(radixpad, *code, argc == 3 ? argv[2] : nullptr);
  std::fflush(stdout);
  return status;
}
