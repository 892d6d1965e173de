#include "model/message_log.h"

#include <cstdio>

namespace radixpad {
namespace {

constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A "%d" of a message parameter shows its low 32 bits as a signed number.
long long AsInt32(std::uintptr_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

bool LocalTime(std::time_t now, std::tm& out) {
#ifdef _WIN32
  return localtime_s(&out, &now) == 0;
#else
  return localtime_r(&now, &out) != nullptr;
#endif
}

}  // namespace

std::string MessageLogPath(std::string_view program_folder) {
  return std::string(program_folder) + "\\LOG\\message.log";
}

std::string LogStamp(const std::tm& t) {
  // The names are English whatever the locale, as ctime writes them.
  const char* weekday = t.tm_wday >= 0 && t.tm_wday < 7 ? kWeekdays[t.tm_wday] : "???";
  const char* month = t.tm_mon >= 0 && t.tm_mon < 12 ? kMonths[t.tm_mon] : "???";
  char text[64];
  std::snprintf(text, sizeof text, "[%.3s %.3s%3d %.2d:%.2d:%.2d %d] ", weekday, month, t.tm_mday, t.tm_hour,
                t.tm_min, t.tm_sec, 1900 + t.tm_year);
  return text;
}

std::string RegisteredMessageEntry(std::intptr_t wparam, std::intptr_t lparam) {
  char text[96];
  std::snprintf(text, sizeof text, "WM_RADIXPADCOMMANDAPI wParam=%lld lParam=%lld\n",
                AsInt32(static_cast<std::uintptr_t>(wparam)), AsInt32(static_cast<std::uintptr_t>(lparam)));
  return text;
}

std::string CopyDataEntry(std::intptr_t wparam, std::uintptr_t code) {
  char text[96];
  std::snprintf(text, sizeof text, "WM_COPYDATA wParam=%lld dwData=%lld lpData=\n",
                AsInt32(static_cast<std::uintptr_t>(wparam)), AsInt32(code));
  return text;
}

void AppendLogEntry(const std::string& path, std::time_t now, std::string_view entry, std::string_view raw) {
  std::tm local{};
  const std::string stamp = LocalTime(now, local) ? LogStamp(local) : std::string();
  if (std::FILE* file = std::fopen(path.c_str(), "a")) {
    std::fputs(stamp.c_str(), file);
    std::fwrite(entry.data(), 1, entry.size(), file);
    std::fclose(file);
  } else {
    return;
  }
  if (raw.empty()) return;
  if (std::FILE* file = std::fopen(path.c_str(), "ab")) {
    std::fwrite(raw.data(), 1, raw.size(), file);
    std::fclose(file);
  }
}

}  // namespace radixpad
