// An in-memory settings file that records the order of writes.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/ini_store.h"

namespace radixpad {

class MemoryIni : public IniStore {
 public:
  int ReadInt(std::string_view section, std::string_view key, int fallback) override {
    auto it = values.find({std::string(section), std::string(key)});
    return it == values.end() ? fallback : std::stoi(it->second);
  }
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) override {
    auto it = values.find({std::string(section), std::string(key)});
    return it == values.end() ? std::string(fallback) : it->second;
  }
  void WriteInt(std::string_view section, std::string_view key, int value) override {
    WriteString(section, key, std::to_string(value));
  }
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override {
    values[{std::string(section), std::string(key)}] = std::string(value);
    written.push_back(std::string(key));
  }

  std::map<std::pair<std::string, std::string>, std::string> values;
  std::vector<std::string> written;
};

}  // namespace radixpad
