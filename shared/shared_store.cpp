#include "shared_store.h"

#include <vector>

#include "store_text.h"

namespace radixpad {
namespace {

std::string TempFolder() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD n = GetEnvironmentVariableA("TEMP", buffer, sizeof buffer);
  return n == 0 || n > MAX_PATH ? std::string() : std::string(buffer, n);
}

bool WriteWholeFile(const std::string& path, std::string_view text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == text.size();
}

std::string ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string(kEmptyStoreText);
  std::string text;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
  CloseHandle(file);
  return text;
}

}  // namespace

SharedStore::SharedStore(std::string name, bool owner) : name_(std::move(name)), owner_(owner) {
  if (!owner_) return;
  const std::string temp = TempFolder();
  if (temp.empty()) return;  // the store is simply not published
  path_ = temp + "\\" + StoreFileName(name_);
  if (WriteWholeFile(path_, kEmptyStoreText)) Publish();
}

SharedStore::~SharedStore() {
  if (!owner_) return;
  Unpublish();
  if (!path_.empty()) DeleteFileA(path_.c_str());
}

bool SharedStore::Publish() {
  file_ = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                      nullptr);
  if (file_ == INVALID_HANDLE_VALUE) return false;
  mapping_ = CreateFileMappingA(file_, nullptr, PAGE_READONLY, 0, 0, name_.c_str());
  if (mapping_ == nullptr) {
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    return false;
  }
  return true;
}

void SharedStore::Unpublish() {
  if (mapping_ != nullptr) CloseHandle(mapping_);
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  mapping_ = nullptr;
  file_ = INVALID_HANDLE_VALUE;
}

void SharedStore::Set(std::string_view key, std::optional<std::string_view> value) {
  if (!owner_ || path_.empty()) return;
  Unpublish();
  const std::string text = StoreSet(ReadWholeFile(path_), key, value);
  WriteWholeFile(path_, text);
  Publish();
}

SharedStore::Lookup SharedStore::Get(std::string_view key, std::string_view fallback) const {
  Lookup result;
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name_.c_str());
  if (mapping == nullptr) return result;
  result.store_found = true;
  result.text = std::string(fallback);
  if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0)) {
    // The view is as long as the file; VirtualQuery gives the mapped size so
    // that the lookup never reads past it.
    MEMORY_BASIC_INFORMATION info = {};
    if (VirtualQuery(view, &info, sizeof info) != 0) {
      const std::string_view text(static_cast<const char*>(view), info.RegionSize);
      if (auto value = StoreGet(text.substr(0, text.find('\0')), key)) result.text = *value;
    }
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  return result;
}

}  // namespace radixpad
