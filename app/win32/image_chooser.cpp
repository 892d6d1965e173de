#include "image_chooser.h"

#include <commdlg.h>

#include <vector>

#include "resource.h"
#include "skin/load_image.h"
#include "skin/preview_fit.h"

namespace radixpad::win32 {
namespace {

// The preview square, in the template dialog's client pixels, relative to the
// anchor's bottom-left corner; the image area is one pixel inside it.
constexpr int kPreviewLeft = 15;
constexpr int kPreviewTop = 45;
constexpr int kPreviewSide = 102;

// Shows one image file: the path is set as the selection moves, and the
// image is decoded when it is drawn.
class Previewer {
 public:
  void SetPath(std::string path) { path_ = std::move(path); }

  void Draw(HDC dc, const RECT& area) const {
    if (path_.empty()) return;
    const auto image = image::LoadImageFile(path_.c_str());
    if (!image) return;
    const skin::PreviewPlacement at =
        skin::FitPreview(image->width, image->height, area.right - area.left, area.bottom - area.top);
    if (at.width <= 0 || at.height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image->width;
    info.bmiHeader.biHeight = -image->height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int old_mode = SetStretchBltMode(dc, HALFTONE);
    POINT old_origin;
    SetBrushOrgEx(dc, 0, 0, &old_origin);
    StretchDIBits(dc, area.left + at.x, area.top + at.y, at.width, at.height, 0, 0, image->width, image->height,
                  image->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    SetBrushOrgEx(dc, old_origin.x, old_origin.y, nullptr);
    SetStretchBltMode(dc, old_mode);
  }

 private:
  std::string path_;
};

struct ChooserState {
  HINSTANCE instance = nullptr;
  bool preview = true;
  bool folder_changed = false;
  RECT box{};  // the preview square
  Previewer previewer;
};

RECT ImageArea(const RECT& box) { return {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}; }

void CreatePreviewCheckBox(HWND hook, ChooserState& state) {
  RECT anchor;
  GetWindowRect(GetDlgItem(hook, IDC_CHOOSER_ANCHOR), &anchor);
  MapWindowPoints(nullptr, hook, reinterpret_cast<POINT*>(&anchor), 2);
  char text[64];
  const int length = LoadStringA(state.instance, IDS_PREVIEW, text, sizeof text);
  HWND check = CreateWindowExA(0, "BUTTON", length > 0 ? text : "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                               anchor.left + 20, anchor.bottom + 15, anchor.right - (anchor.left + 20), 20, hook,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CHOOSER_PREVIEW)), state.instance,
                               nullptr);
  SendMessageA(check, WM_SETFONT, SendMessageA(hook, WM_GETFONT, 0, 0), TRUE);
  CheckDlgButton(hook, IDC_CHOOSER_PREVIEW, state.preview ? BST_CHECKED : BST_UNCHECKED);
  state.box = {anchor.left + kPreviewLeft, anchor.bottom + kPreviewTop, anchor.left + kPreviewLeft + kPreviewSide,
               anchor.bottom + kPreviewTop + kPreviewSide};
}

std::string SelectedPath(HWND hook) {
  // The common dialog is the template dialog's parent.
  HWND dialog = GetParent(hook);
  const LRESULT needed = SendMessageA(dialog, CDM_GETFILEPATH, 0, 0);
  if (needed <= 0 || needed > 32768) return {};
  std::vector<char> path(static_cast<std::size_t>(needed) + 1);
  if (SendMessageA(dialog, CDM_GETFILEPATH, static_cast<WPARAM>(path.size()), reinterpret_cast<LPARAM>(path.data())) <= 0)
    return {};
  return path.data();
}

void Paint(HWND hook, const ChooserState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hook, &paint);
  RECT box = state.box;
  DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
  if (state.preview) {
    const RECT area = ImageArea(state.box);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    state.previewer.Draw(dc, area);
    RestoreDC(dc, saved);
  }
  EndPaint(hook, &paint);
}

UINT_PTR CALLBACK ChooserHook(HWND hook, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<ChooserState*>(GetWindowLongPtrA(hook, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      const auto* dialog = reinterpret_cast<const OPENFILENAMEA*>(lparam);
      SetWindowLongPtrA(hook, DWLP_USER, static_cast<LONG_PTR>(dialog->lCustData));
      return TRUE;
    }
    case WM_NOTIFY: {
      if (state == nullptr) return FALSE;
      switch (reinterpret_cast<const NMHDR*>(lparam)->code) {
        case CDN_INITDONE:
          CreatePreviewCheckBox(hook, *state);
          break;
        case CDN_SELCHANGE:
          if (!state->folder_changed && state->preview) {
            state->previewer.SetPath(SelectedPath(hook));
            InvalidateRect(hook, &state->box, TRUE);
          }
          state->folder_changed = false;
          break;
        case CDN_FOLDERCHANGE:
          state->folder_changed = true;
          state->previewer.SetPath({});
          InvalidateRect(hook, &state->box, TRUE);
          break;
        default:
          break;
      }
      return FALSE;
    }
    case WM_COMMAND:
      if (state != nullptr && LOWORD(wparam) == IDC_CHOOSER_PREVIEW && HIWORD(wparam) == BN_CLICKED) {
        state->preview = IsDlgButtonChecked(hook, IDC_CHOOSER_PREVIEW) == BST_CHECKED;
        InvalidateRect(hook, &state->box, TRUE);
        return TRUE;
      }
      return FALSE;
    case WM_PAINT:
      if (state == nullptr) return FALSE;
      Paint(hook, *state);
      return TRUE;
    default:
      return FALSE;
  }
}

// The filter text with its "|" separators turned into the terminators the
// common dialog wants.
std::vector<char> ImageFilter(HINSTANCE instance) {
  char text[256];
  const int length = LoadStringA(instance, IDS_IMAGE_FILTER, text, sizeof text);
  std::vector<char> filter(text, text + (length > 0 ? length : 0));
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.push_back('\0');
  filter.push_back('\0');
  return filter;
}

}  // namespace

std::optional<std::string> ChooseImage(HINSTANCE instance, HWND owner) {
  ChooserState state;
  state.instance = instance;
  const std::vector<char> filter = ImageFilter(instance);
  std::vector<char> file(MAX_PATH, '\0');
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.hInstance = instance;
  dialog.lpstrFilter = filter.data();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
  dialog.lpfnHook = ChooserHook;
  dialog.lpTemplateName = "FILEOPEN_TEMPLATE";
  dialog.lCustData = reinterpret_cast<LPARAM>(&state);
  if (!GetOpenFileNameA(&dialog)) return std::nullopt;
  return std::string(file.data());
}

}  // namespace radixpad::win32
