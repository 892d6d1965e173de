/* RadixPad のコマンド API を使う例。
 *
 * 1. 共有メモリ "RadixPad" から RadixPad のウィンドウハンドル (HWnd) を読みます。
 * 2. 登録メッセージ "RadixPad" でビット幅を問い合わせます (コード 321)。
 * 3. WM_COPYDATA で DEC の欄に "12" を入力し (コード 403)、返事を表示します。
 *
 * 使い方: example [式]   (既定の式は 12)
 * 終了コード: 0 成功、1 "400 Bad Request"、2 RadixPad が起動していない
 */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* 返事を受け取るバッファー。返事は要求の SendMessage が戻る前に届きます。 */
static char g_reply[4096];
static int g_replied;

static LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA) {
    const COPYDATASTRUCT *data = (const COPYDATASTRUCT *)lparam;
    size_t size = data->cbData < sizeof g_reply - 1 ? data->cbData : sizeof g_reply - 1;
    if (data->lpData != NULL) memcpy(g_reply, data->lpData, size);
    g_reply[size] = '\0';
    g_replied = 1;
    return TRUE;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

/* 共有メモリの "HWnd=" の行から、RadixPad のウィンドウを得ます。 */
static HWND FindRadixPad(void) {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, "RadixPad");
  const char *text;
  HWND window = NULL;
  if (mapping == NULL) return NULL;
  text = (const char *)MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  if (text != NULL) {
    /* 行は "キー=値" CR LF。空の行で終わります。 */
    const char *line = text;
    while (*line != '\0' && strncmp(line, "\r\n", 2) != 0) {
      if (strncmp(line, "HWnd=", 5) == 0) {
        window = (HWND)(INT_PTR)_strtoi64(line + 5, NULL, 10);
        break;
      }
      line = strstr(line, "\r\n");
      if (line == NULL) break;
      line += 2;
    }
    UnmapViewOfFile(text);
  }
  CloseHandle(mapping);
  return window;
}

int main(int argc, char **argv) {
  char request[256];
  COPYDATASTRUCT data;
  WNDCLASSA window_class;
  HWND radixpad, reply_window;
  UINT command_message;

  radixpad = FindRadixPad();
  if (radixpad == NULL || !IsWindow(radixpad)) {
    fprintf(stderr, "RadixPad is not running\n");
    return 2;
  }

  /* 登録メッセージ: wParam がコード、答えは戻り値です。 */
  command_message = RegisterWindowMessageA("RadixPad");
  printf("width: %d\n", (int)SendMessageA(radixpad, command_message, 321, 0));

  /* 返事を受け取るウィンドウ (メッセージ専用ウィンドウで十分です)。 */
  memset(&window_class, 0, sizeof window_class);
  window_class.lpfnWndProc = ReplyProc;
  window_class.hInstance = GetModuleHandleA(NULL);
  window_class.lpszClassName = "RadixPadExampleReply";
  RegisterClassA(&window_class);
  reply_window = CreateWindowA("RadixPadExampleReply", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                               window_class.hInstance, NULL);

  /* 引数は CR LF で終えます。 */
  snprintf(request, sizeof request, "%s\r\n", argc > 1 ? argv[1] : "12");
  data.dwData = 403; /* DEC の欄に入力 */
  data.cbData = (DWORD)strlen(request);
  data.lpData = request;
  SendMessageA(radixpad, WM_COPYDATA, (WPARAM)reply_window, (LPARAM)&data);
  DestroyWindow(reply_window);

  if (!g_replied) {
    fprintf(stderr, "no reply\n");
    return 1;
  }
  fputs(g_reply, stdout);
  return strncmp(g_reply, "200 OK\r\n", 8) == 0 ? 0 : 1;
}
