// The reports of one evaluation, oldest first. The converter empties it
// before every evaluation and shows a warning mark while it holds anything.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace radixpad {

struct LoggedReport {
  int code = 0;
  int line = 0;
  std::string source;
  std::string token;
};

class ErrorLog {
 public:
  // Codes below 0x100 are progress statuses, not reports: they are ignored.
  // Returns whether the report was kept.
  bool Add(int code, int line, std::string_view source, std::string_view token);
  void Clear() { entries_.clear(); }
  const LoggedReport* Entry(std::size_t index) const;
  std::size_t Count() const { return entries_.size(); }

 private:
  std::vector<LoggedReport> entries_;
};

}  // namespace radixpad
