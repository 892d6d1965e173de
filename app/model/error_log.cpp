#include "model/error_log.h"

#include <new>

namespace radixpad {

bool ErrorLog::Add(int code, int line, std::string_view source, std::string_view token) {
  if (code < 0x100) return false;
  try {
    entries_.push_back({code, line, std::string(source), std::string(token)});
  } catch (const std::bad_alloc&) {
    return false;  // a report that cannot be stored is dropped
  }
  return true;
}

const LoggedReport* ErrorLog::Entry(std::size_t index) const {
  return index < entries_.size() ? &entries_[index] : nullptr;
}

}  // namespace radixpad
