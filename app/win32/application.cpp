#include "application.h"

#include <cstdlib>
#include <ctime>
#include <string>

#include "converter_window.h"
#include "core/context.h"
#include "model/converter_engine.h"
#include "model/message_catalog.h"
#include "model/start_up.h"
#include "profile_ini.h"
#include "program_folder.h"
#include "shared_store.h"
#include "store_text.h"

namespace radixpad::win32 {
namespace {

constexpr char kMutexName[] = "radixpad";
constexpr char kStoreName[] = "RadixPad";
constexpr char kCatalogFile[] = "\\MESSAGE.INI";

// Another RadixPad runs: show its window and bring it to the front. When it
// has not published its handle (yet), nothing happens.
void ShowRunningInstance() {
  const SharedStore store(kStoreName, false);
  const SharedStore::Lookup handle = store.Get("HWnd", "0");
  if (!handle.store_found) return;
  const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(ParseLeadingInteger(handle.text)));
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
}

// The objects that live as long as the process, in the order they are made.
class Application {
 public:
  explicit Application(HINSTANCE instance)
      : instance_(instance),
        folder_(ProgramFolder()),
        engine_(context_),
        catalog_file_(folder_ + kCatalogFile),
        catalog_(catalog_file_) {
    ConfigureConverterContext(context_);
    engine_.DefineConverterSymbol();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
  }
  ~Application() { calc::CalcEngine::SetPredefinedSymbol(""); }
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  int Run(bool hidden_start) {
    ConverterWindowSetup setup;
    setup.instance = instance_;
    setup.context = &context_;
    setup.engine = &engine_;
    setup.catalog = &catalog_;
    setup.program_folder = folder_;
    setup.settings_file = SettingsFileName(ProgramPath());
    setup.hidden_start = hidden_start;
    return RunConverterWindow(setup) == -1 ? 1 : 0;
  }

 private:
  HINSTANCE instance_;
  std::string folder_;
  calc::CalcContext context_;
  ConverterEngine engine_;
  ProfileIni catalog_file_;
  MessageCatalog catalog_;
};

}  // namespace

int RunApplication(HINSTANCE instance, const char* command_line) {
  // The first instance keeps the mutex open until the process ends.
  const HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
  if (mutex == nullptr) return 0;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    ShowRunningInstance();
    return 0;
  }
  Application application(instance);
  const int status = application.Run(IsHiddenStartCommand(command_line != nullptr ? command_line : ""));
  CloseHandle(mutex);
  return status;
}

}  // namespace radixpad::win32
