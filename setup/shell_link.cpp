#include "shell_link.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace radixpad::setup {
namespace {

bool CanRead(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// One COM interface pointer, released when it goes out of scope.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ~ComPointer() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;

  Interface* operator->() const { return pointer_; }
  void** Out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

// COM for the length of one attempt.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

bool SaveLink(const Shortcut& shortcut) {
  ComPointer<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out()))) {
    return false;
  }
  ComPointer<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) return false;
  if (FAILED(link->SetPath(shortcut.target.c_str())) || FAILED(link->SetArguments(shortcut.arguments.c_str())) ||
      FAILED(link->SetDescription(shortcut.description.c_str()))) {
    return false;
  }
  wchar_t wide_name[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, shortcut.link_file.c_str(), -1, wide_name, MAX_PATH) == 0) return false;
  return SUCCEEDED(file->Save(wide_name, TRUE));
}

}  // namespace

bool CreateShortcut(const Shortcut& shortcut) {
  if (shortcut.link_file.empty() || shortcut.target.empty() || !CanRead(shortcut.target)) return false;
  const ComScope com;
  return com.ok() && SaveLink(shortcut);
}

void RemoveShortcut(const Shortcut& shortcut) {
  if (!shortcut.link_file.empty()) DeleteFileA(shortcut.link_file.c_str());
}

}  // namespace radixpad::setup
