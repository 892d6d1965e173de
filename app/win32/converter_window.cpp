// The converter window's dialog procedure and its handlers.
//
// The procedure only routes messages to handlers of a ConverterWindow object
// stored on the window; the handlers read controls, call the Converter and
// show what it asks for. No exception may leave the procedure: the C++
// runtime cannot unwind through the system's frames, so every routed call is
// wrapped.
#include "converter_window.h"

#include <windowsx.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command_window.h"
#include "about_dialog.h"
#include "hot_key.h"
#include "model/converter.h"
#include "model/converter_face.h"
#include "model/help_tips.h"
#include "model/settings.h"
#include "model/start_up.h"
#include "model/window_layout.h"
#include "popup_menu.h"
#include "profile_ini.h"
#include "program_folder.h"
#include "resource.h"
#include "shared_store.h"
#include "settings_dialog.h"
#include "skin/load_image.h"
#include "skin/skin_surface.h"
#include "skin_window.h"
#include "tip_window.h"
#include "tray_icon.h"
#include "warning_dialog.h"
#include "window_icons.h"

namespace radixpad::win32 {
namespace {

// The four fields in their fixed order: binary, octal, decimal, hexadecimal.
constexpr std::array<int, kFieldCount> kFieldIds = {IDC_FIELD_BIN, IDC_FIELD_OCT, IDC_FIELD_DEC, IDC_FIELD_HEX};

// Posted to itself when the window has been shown: a background taken from the
// screen (transparent, wallpaper) can only be photographed once the window is
// really there, after the show that WM_SHOWWINDOW announces.
constexpr UINT kRefreshFaceMessage = WM_APP + 0x10;

// The store through which other programs find this window.
constexpr char kStoreName[] = "RadixPad";

int FieldOfControl(int id) {
  for (int field = 1; field <= kFieldCount; ++field)
    if (kFieldIds[static_cast<std::size_t>(field - 1)] == id) return field;
  return 0;
}

// The Bit setting of a width; 0 (no width) keeps what was read, which the
// writer then skips.
int BitSettingOf(int bits, int as_read) {
  switch (bits) {
    case 8: return 0;
    case 16: return 1;
    case 32: return 2;
    default: return as_read;
  }
}

class ConverterWindow final : public ConverterView {
 public:
  explicit ConverterWindow(const ConverterWindowSetup& setup)
      : setup_(setup),
        ini_(setup.settings_file),
        converter_(*setup.context, *setup.engine, *this),
        commands_(converter_, *this, *setup.catalog, setup.program_folder),
        face_(CurrentSystemColors()),
        hidden_(setup.hidden_start),
        suppress_first_show_(setup.hidden_start) {}
  ConverterWindow(const ConverterWindow&) = delete;
  ConverterWindow& operator=(const ConverterWindow&) = delete;
  ~ConverterWindow() override { setup_.engine->ForwardReportsTo(nullptr); }

  // The store is destroyed when the modal loop has ended; its file goes with it.
  void CloseStore() { store_.reset(); }

  // --- message handlers ---

  BOOL OnInitDialog(HWND window) {
    window_ = window;
    for (std::size_t i = 0; i < kFieldIds.size(); ++i) edits_[i] = GetDlgItem(window_, kFieldIds[i]);
    PlaceControls();
    BindSurface();
    store_ = std::make_unique<SharedStore>(kStoreName, true);
    store_->Set("HWnd", std::to_string(reinterpret_cast<INT_PTR>(window_)));
    ApplySettings();
    SetUpTips();
    icons_.Apply(setup_.instance, window_);
    AddAboutToSystemMenu(setup_.instance, window_);
    StartTray();
    hot_key_.Register(window_);
    surface_->Start();
    setup_.engine->ForwardReportsTo(&converter_);
    return TRUE;  // let the dialog manager focus the first control
  }

  // Returns true when the command was handled.
  bool OnCommand(int id, int code) {
    if (const int field = FieldOfControl(id); field != 0) {
      if (code == EN_CHANGE) converter_.OnFieldEdited(field);
      return true;
    }
    switch (id) {
      case IDOK:  // Enter
        converter_.OnEnter(settings_.keep_lock);
        return true;
      case IDCANCEL:  // Escape; Alt+F4 and WM_CLOSE end the dialog in OnClose
        ShowWindow(window_, hidden_ ? SW_SHOW : SW_HIDE);
        return true;
      case IDC_MASTER:
        if (code == BN_CLICKED) converter_.OnMasterClicked(IsDlgButtonChecked(window_, IDC_MASTER) == BST_CHECKED);
        return true;
      default:
        return false;
    }
  }

  void OnClose() { EndDialog(window_, IDCANCEL); }

  std::optional<LRESULT> OnCommandMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return commands_.Route(window_, message, wParam, lParam, {settings_.debug, settings_.keep_lock});
  }

  // The background drags the window; buttons and controls answer themselves.
  std::optional<LRESULT> OnNcHitTest(int screenX, int screenY) const {
    POINT p{screenX, screenY};
    ScreenToClient(window_, &p);
    RECT client{};
    GetClientRect(window_, &client);
    if (!PtInRect(&client, p) || face_.ButtonAt(p.x, p.y)) return std::nullopt;
    return HTCAPTION;
  }

  // The surface exists from the middle of OnInitDialog on; messages that the
  // initialisation itself causes before that find none.
  void OnMouseDown(int x, int y) {
    if (surface_) surface_->MouseDown(x, y);
  }
  void OnMouseMove(int x, int y) {
    TrackTip(x, y);
    if (surface_) surface_->MouseMove(x, y);
  }
  // The cursor is set wherever it is over the window, the fields and the
  // dragging background included; only mouse moves over buttons reach OnMouseMove.
  void OnSetCursor() {
    const DWORD at = GetMessagePos();
    POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    ScreenToClient(window_, &p);
    TrackTip(p.x, p.y);
  }
  void OnMouseUp() {
    if (surface_) surface_->MouseUp();
  }
  void OnCaptureChanged(HWND gainer) {
    if (surface_ && gainer != window_) surface_->CancelTracking();
  }

  void OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    if (IsIconic(window_)) icons_.PaintIconic(window_, dc);
    else if (surface_) surface_->OnPaint();
    EndPaint(window_, &ps);
  }

  void OnMove() {
    if (surface_) surface_->OnMove();
  }
  void OnActivateApp(bool active) {
    if (surface_ && active) surface_->Refresh();
  }

  // Started with "-icon": the modal loop's first show is dropped, so the
  // window stays hidden until something shows it.
  void OnWindowPosChanging(WINDOWPOS& pos) {
    if (suppress_first_show_ && (pos.flags & SWP_SHOWWINDOW) != 0) {
      pos.flags &= ~SWP_SHOWWINDOW;
      suppress_first_show_ = false;
    }
  }

  void OnShowWindow(bool shown) {
    // A transparent background is photographed by hiding the window for a moment.
    if (host_ && host_->capturing()) return;
    hidden_ = !shown;
    if (!shown) CloseTip();
    if (!surface_) return;
    if (!shown) surface_->CancelTracking();
    surface_->SetActive(shown);
    if (shown) PostMessageA(window_, kRefreshFaceMessage, 0, 0);
  }

  void OnRefreshFace() {
    if (surface_ && !hidden_ && settings_.back != 0) surface_->Refresh();
  }

  HICON OnQueryDragIcon() const { return icons_.large(); }

  // The hot key, a click on the tray icon, starting RadixPad again.
  void ShowConverter() {
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
  }

  void OnTrayMessage(UINT mouse) {
    if (mouse == WM_LBUTTONDOWN) ShowConverter();
    else if (mouse == WM_RBUTTONUP) OnPopupMenu();
  }

  void OnPopupMenu() {
    const PopupMenuState state{settings_.floating, tray_ != nullptr && tray_->Flag(), hidden_};
    switch (TrackPopupMenuAtCursor(setup_.instance, window_, state)) {
      case IDM_SETTINGS:
        OpenSettings();
        break;
      case IDM_TOPMOST:
        settings_.floating = !settings_.floating;
        ApplyFloating();
        break;
      case IDM_TRAY:
        if (tray_) tray_->ToggleFlag();
        break;
      case IDM_HIDE:
        ShowWindow(window_, hidden_ ? SW_SHOW : SW_HIDE);
        break;
      case IDM_ABOUT:
        ShowAbout();
        break;
      case IDM_QUIT:
        PostQuitMessage(0);
        break;
      default:
        break;
    }
    PostMessageA(window_, WM_NULL, 0, 0);
  }

  void ShowAbout() {
    CloseTip();
    RunAboutDialog(setup_.instance, window_);
  }

  // The window is ending (or Windows asks whether it may): the hot key and
  // the tray icon go, a pending delayed add is cancelled, the settings are written.
  void EndSession() {
    hot_key_.Unregister();
    if (tray_) tray_->Remove();
    SaveSettingsNow();
  }

  void SaveSettingsNow() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(window_, &placement)) {
      settings_.pos_x = placement.rcNormalPosition.left;
      settings_.pos_y = placement.rcNormalPosition.top;
    }
    settings_.master = converter_.master();
    settings_.sign_unsigned = converter_.global_unsigned();
    for (int field = 1; field <= kFieldCount; ++field)
      settings_.field_unsigned[field - 1] = converter_.field_unsigned(field);
    settings_.bit = BitSettingOf(converter_.bits(), settings_.bit);
    if (tray_) settings_.tray_icon = tray_->Flag();
    SaveSettings(ini_, settings_);
  }

  void OnDestroy() {
    CloseTip();
    EndSession();
    setup_.engine->ForwardReportsTo(nullptr);
    if (!surface_) return;
    surface_->SetActive(false);
    surface_->Clear();
  }

  // --- ConverterView ---

  std::string FieldText(int field) override {
    char text[kMaxFieldText + 1] = {};
    GetWindowTextA(Edit(field), text, sizeof text);
    return text;
  }
  void SetFieldText(int field, std::string_view text) override {
    SetWindowTextA(Edit(field), std::string(text).c_str());
  }
  int FocusedField() override {
    const HWND focus = GetFocus();
    for (int field = 1; field <= kFieldCount; ++field)
      if (focus != nullptr && focus == Edit(field)) return field;
    return 0;
  }
  void FocusField(int field) override { SetFocus(Edit(field)); }
  void SelectAll(int field) override {
    SendMessageA(Edit(field), EM_SETSEL, 0, -1);
    SendMessageA(Edit(field), EM_SCROLLCARET, 0, 0);
  }
  void HideWarningMarks() override {
    for (int field = 1; field <= kFieldCount; ++field) SetMarkVisible(field, false);
  }
  void ShowWarningMark(int field) override { SetMarkVisible(field, true); }
  void ShowHold(bool on) override { face_.ShowHold(on); }
  void ShowSigns(bool global_unsigned, const bool field_unsigned[kFieldCount], bool master) override {
    face_.button(ButtonId::kGlobalSigned).SetChecked(!global_unsigned);
    face_.button(ButtonId::kGlobalUnsigned).SetChecked(global_unsigned);
    for (int field = 1; field <= kFieldCount; ++field) {
      face_.button(SignedButtonOf(field)).SetChecked(!field_unsigned[field - 1]);
      face_.button(UnsignedButtonOf(field)).SetChecked(field_unsigned[field - 1]);
    }
    CheckDlgButton(window_, IDC_MASTER, master ? BST_CHECKED : BST_UNCHECKED);
  }
  void ShowWidth(int bits) override {
    face_.button(ButtonId::kBit8).SetChecked(bits == 8);
    face_.button(ButtonId::kBit16).SetChecked(bits == 16);
    face_.button(ButtonId::kBit32).SetChecked(bits == 32);
  }

 private:
  HWND Edit(int field) const { return edits_[static_cast<std::size_t>(field - 1)]; }

  // Reads the settings file and applies it in the order the keys are read.
  void ApplySettings() {
    RECT rect{};
    GetWindowRect(window_, &rect);
    settings_ = LoadSettings(ini_, {rect.left, rect.top, setup_.program_folder});
    ApplySkinSettings();
    PlaceWindow(settings_.pos_x, settings_.pos_y);
    ApplyFloating();
    PublishDebug();
    converter_.Restore(settings_.master, settings_.sign_unsigned, settings_.field_unsigned, BitWidth(settings_.bit));
  }

  void ApplyFloating() {
    SetWindowPos(window_, settings_.floating ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  // Started hidden with a delay, the icon comes after it; otherwise at once.
  void StartTray() {
    tray_ = std::make_unique<TrayIcon>(window_, icons_.small16(), settings_.tray_icon);
    if (hidden_ && settings_.tray_delay > 0) tray_->ShowIfFlaggedAfter(settings_.tray_delay);
    else tray_->ShowIfFlagged();
  }

  void PlaceWindow(int x, int y) {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    SetWindowPos(window_, nullptr, ClampWindowCoordinate(x, desktop.right), ClampWindowCoordinate(y, desktop.bottom),
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // The controls go to their pixel rectangles and the client area gets the
  // face's size, whatever font the system substituted for the template's.
  void PlaceControls() {
    for (const ControlLayout& control : ConverterControls()) {
      const PixelRect& r = control.rect;
      SetWindowPos(GetDlgItem(window_, control.id), nullptr, r.left, r.top, r.Width(), r.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT outer{}, client{};
    GetWindowRect(window_, &outer);
    GetClientRect(window_, &client);
    const int frame_x = (outer.right - outer.left) - client.right;
    const int frame_y = (outer.bottom - outer.top) - client.bottom;
    SetWindowPos(window_, nullptr, 0, 0, ConverterClientWidth() + frame_x, ConverterClientHeight() + frame_y,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void BindSurface() {
    std::vector<HWND> controls(edits_.begin(), edits_.end());
    controls.push_back(GetDlgItem(window_, IDC_MASTER));
    host_ = std::make_unique<SkinWindow>(window_, setup_.instance, std::move(controls));
    surface_ = std::make_unique<skin::SkinSurface>(*host_, CurrentSystemColors());
    surface_->Bind(host_->compose());
    face_.Register(*surface_, [this](ButtonId id) { OnButtonClicked(id); });
  }

  // A missing or broken image leaves the surface or the button without it;
  // nothing is reported.
  void ApplySkinSettings() {
    surface_->ApplyFlatButtons(settings_.flat_button);
    surface_->ApplyFore(settings_.fore);
    surface_->SetBackgroundMode(settings_.back);
    surface_->SetSkinHalfTransparent(settings_.skin != 0);
    surface_->SetImages(settings_.skin_file.c_str());
    std::optional<skin::Bitmap> image = image::LoadImageFile(settings_.icon_file.c_str());
    face_.SetSettingsImage(image ? std::make_shared<const skin::Bitmap>(std::move(*image)) : nullptr);
  }

  void OnButtonClicked(ButtonId id) {
    CloseTip();
    const int index = static_cast<int>(id);
    if (id >= ButtonId::kBinSigned && id <= ButtonId::kHexSigned) {
      converter_.SetFieldSign(index - static_cast<int>(ButtonId::kBinSigned) + 1, false);
      return;
    }
    if (id >= ButtonId::kBinUnsigned && id <= ButtonId::kHexUnsigned) {
      converter_.SetFieldSign(index - static_cast<int>(ButtonId::kBinUnsigned) + 1, true);
      return;
    }
    switch (id) {
      case ButtonId::kGlobalSigned: converter_.SetAllSigns(false); break;
      case ButtonId::kGlobalUnsigned: converter_.SetAllSigns(true); break;
      case ButtonId::kBit8: converter_.SetBitWidth(8); break;
      case ButtonId::kBit16: converter_.SetBitWidth(16); break;
      case ButtonId::kBit32: converter_.SetBitWidth(32); break;
      case ButtonId::kHold: converter_.ToggleHold(); break;
      case ButtonId::kSettings: OpenSettings(); break;
      case ButtonId::kMinimize: ShowWindow(window_, SW_HIDE); break;
      case ButtonId::kClose: PostQuitMessage(0); break;  // as the menu's 終了(&Q)
      default: ShowWarnings(); break;  // one of the warning marks
    }
  }

  // The settings dialog; a confirmed one takes effect at once, in the order
  // z-order, tray icon, face, debug mode, the active field, and is saved.
  void OpenSettings() {
    CloseTip();
    ConverterSettings edited = settings_;
    if (tray_) edited.tray_icon = tray_->Flag();
    if (!RunSettingsDialog(setup_.instance, window_, edited)) {
      if (converter_.active_field() != 0) FocusField(converter_.active_field());
      return;
    }
    const bool help_changed = settings_.help != edited.help;
    settings_ = edited;
    if (help_changed) SetUpTips();
    ApplyFloating();
    if (tray_ && tray_->Flag() != settings_.tray_icon) tray_->ToggleFlag();
    ApplySkinSettings();
    surface_->Refresh();
    PublishDebug();
    converter_.RefreshActive();
    SaveSettingsNow();
  }

  // One tip per skin button, numbered like the buttons, while the Help setting
  // is on; none at all while it is off. A mark's tip is there only while the mark is.
  void SetUpTips() {
    CloseTip();
    tips_ = HelpTips{};
    if (!settings_.help) return;
    for (const ButtonLayout& button : kConverterButtons) {
      char text[256] = {};
      LoadStringA(setup_.instance, static_cast<UINT>(button.tip), text, sizeof text);
      tips_.Add(button.rect, text);
    }
    for (int field = 1; field <= kFieldCount; ++field)
      tips_.Enable(TipOf(MarkOf(field)), face_.button(MarkOf(field)).visible());
  }

  static int TipOf(ButtonId id) { return static_cast<int>(id); }

  void SetMarkVisible(int field, bool visible) {
    face_.button(MarkOf(field)).SetVisible(visible);
    tips_.Enable(TipOf(MarkOf(field)), visible);
  }

  void TrackTip(int x, int y) {
    const HelpTips::Step step = tips_.Track(x, y);
    switch (step.action) {
      case HelpTips::Action::kClose: tip_window_.Close(); break;
      case HelpTips::Action::kRedraw: tip_window_.Redraw(); break;
      case HelpTips::Action::kOpen: tip_window_.Open(window_, x, y, tips_.TextOf(step.id)); break;
    }
  }

  void CloseTip() {
    tips_.Close();
    tip_window_.Close();
  }

  // Debug mode is published in the shared store; its log folder is made when it is on.
  void PublishDebug() {
    store_->Set("Debug", settings_.debug ? "1" : "0");
    if (settings_.debug && !setup_.program_folder.empty()) CreateFolderPath(setup_.program_folder + "\\LOG");
  }

  void ShowWarnings() {
    CloseTip();
    RunWarningDialog(setup_.instance, window_, *setup_.catalog, converter_.error_log());
    if (converter_.active_field() != 0) FocusField(converter_.active_field());
  }

  ConverterWindowSetup setup_;
  ProfileIni ini_;
  ConverterSettings settings_;
  Converter converter_;
  CommandWindow commands_;
  ConverterFace face_;
  std::unique_ptr<SkinWindow> host_;             // made when the window exists
  std::unique_ptr<skin::SkinSurface> surface_;  // draws face_ through host_
  std::unique_ptr<SharedStore> store_;
  WindowIcons icons_;
  HotKey hot_key_;
  std::unique_ptr<TrayIcon> tray_;  // made when the window exists
  HelpTips tips_;                   // empty while the Help setting is off
  TipWindow tip_window_;
  HWND window_ = nullptr;
  std::array<HWND, kFieldCount> edits_{};
  bool hidden_;               // follows the window's visibility
  bool suppress_first_show_;  // hidden start, until the first show is dropped
};

// A handler's answer in DWLP_MSGRESULT, as dialog procedures must give it.
INT_PTR Answer(HWND window, LRESULT result) {
  SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR RouteMessage(ConverterWindow& self, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto answer = self.OnCommandMessage(message, wParam, lParam)) return Answer(window, *answer);
  switch (message) {
    case WM_INITDIALOG:
      return self.OnInitDialog(window);
    case WM_COMMAND:
      return self.OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_CLOSE:
      self.OnClose();
      return TRUE;
    case WM_HELP:  // F1 does nothing
      return TRUE;
    case WM_NCHITTEST:
      if (const auto hit = self.OnNcHitTest(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) return Answer(window, *hit);
      return FALSE;
    case WM_LBUTTONDOWN:
      self.OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return TRUE;
    case WM_SETCURSOR:  // the default cursor still gets set
      self.OnSetCursor();
      return FALSE;
    case WM_MOUSEMOVE:
      self.OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return TRUE;
    case WM_LBUTTONUP:
      self.OnMouseUp();
      return TRUE;
    case WM_CAPTURECHANGED:
      self.OnCaptureChanged(reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_PAINT:
      self.OnPaint();
      return TRUE;
    case WM_ERASEBKGND:  // the face covers the whole client area
      return Answer(window, TRUE);
    case WM_MOVE:
      self.OnMove();
      return FALSE;
    case kRefreshFaceMessage:
      self.OnRefreshFace();
      return TRUE;
    case WM_ACTIVATEAPP:
      self.OnActivateApp(wParam != FALSE);
      return FALSE;
    case WM_WINDOWPOSCHANGING:
      self.OnWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
      return FALSE;
    case WM_SHOWWINDOW:
      self.OnShowWindow(wParam != FALSE);
      return FALSE;
    case WM_QUERYENDSESSION:
      self.EndSession();
      return Answer(window, TRUE);
    case WM_HOTKEY:  // posted to the window, so it arrives before any dialog processing
      if (wParam == HotKey::kId) self.ShowConverter();
      return TRUE;
    case TrayIcon::kCallbackMessage:
      self.OnTrayMessage(static_cast<UINT>(lParam));
      return TRUE;
    case WM_NCRBUTTONDOWN:
      // The default handling of a right press on a caption captures the mouse
      // and swallows the release in a loop of its own, so the background's
      // WM_NCRBUTTONUP would never come: the press is taken here.
      return wParam == HTCAPTION ? TRUE : FALSE;
    case WM_NCRBUTTONUP:  // a right click on the background
      if (wParam != HTCAPTION) return FALSE;
      self.OnPopupMenu();
      return TRUE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != IDM_ABOUT) return FALSE;
      self.ShowAbout();
      return TRUE;
    case WM_QUERYDRAGICON:  // answered directly, not through DWLP_MSGRESULT
      return reinterpret_cast<INT_PTR>(self.OnQueryDragIcon());
    case WM_DESTROY:
      self.OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK ConverterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<ConverterWindow*>(GetWindowLongPtrA(window, DWLP_USER));
  if (self == nullptr) {
    return FALSE;
  }
  try {
    return RouteMessage(*self, window, message, wParam, lParam);
  } catch (...) {
    // A failed handler leaves the window as it was; the next message starts afresh.
    return FALSE;
  }
}

}  // namespace

INT_PTR RunConverterWindow(const ConverterWindowSetup& setup) {
  ConverterWindow window(setup);
  const INT_PTR result = DialogBoxParamA(setup.instance, MAKEINTRESOURCEA(IDD_CONVERTER), nullptr, ConverterProc,
                                         reinterpret_cast<LPARAM>(&window));
  window.CloseStore();
  return result;
}

}  // namespace radixpad::win32
