// SharedStore: a small key/value text that one process publishes read-only
// to others through a named file mapping over a file in TEMP. The owner
// rewrites the file on every Set, closing the mapping first, so readers always
// map a complete text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace radixpad {

class SharedStore {
 public:
  // An owner creates (or truncates) the backing file and publishes it.
  SharedStore(std::string name, bool owner);
  ~SharedStore();
  SharedStore(const SharedStore&) = delete;
  SharedStore& operator=(const SharedStore&) = delete;

  // Owner only; ignored in a reader. An absent value removes the key.
  void Set(std::string_view key, std::optional<std::string_view> value);

  struct Lookup {
    bool store_found = false;
    std::string text;
  };
  // Any process: the value of the key in the published store, or `fallback`;
  // store_found is false when no process publishes a store of this name.
  Lookup Get(std::string_view key, std::string_view fallback) const;

  // Where the owner keeps the backing file ("" when TEMP is not set).
  const std::string& file_path() const { return path_; }

 private:
  bool Publish();
  void Unpublish();

  std::string name_;
  bool owner_;
  std::string path_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  HANDLE mapping_ = nullptr;
};

}  // namespace radixpad
