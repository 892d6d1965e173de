#include "library/clock.h"

#include <chrono>
#include <cmath>
#include <limits>
#include <string>

#include "core/status_codes.h"
#include "core/truncation.h"
#include "library/builtin_handlers.h"
#include "library/command_arguments.h"
#include "library/library_commands.h"

namespace calc {

std::optional<std::tm> LocalTime(std::time_t t) {
  std::tm out{};
  // localtime's result lives in one buffer that every thread shares; the
  // reentrant forms fill ours.
#ifdef _WIN32
  if (localtime_s(&out, &t) != 0) return std::nullopt;
#else
  if (localtime_r(&t, &out) == nullptr) return std::nullopt;
#endif
  return out;
}

int std::tm::*TimeField(char letter) {
  switch (letter) {
    case 's': return &std::tm::tm_sec;
    case 'm': return &std::tm::tm_min;
    case 'h': return &std::tm::tm_hour;
    case 'D': return &std::tm::tm_mday;
    case 'M': return &std::tm::tm_mon;
    case 'Y': return &std::tm::tm_year;
    case 'w': return &std::tm::tm_wday;
    case 'y': return &std::tm::tm_yday;
    case 'd': return &std::tm::tm_isdst;
    default: return nullptr;
  }
}

namespace {

// The local time now; every field 0 in the unlikely case that the clock
// cannot be represented.
std::tm Now() { return LocalTime(std::time(nullptr)).value_or(std::tm{}); }

int SetField(BuiltinCall& call, int std::tm::*field, int offset = 0) {
  call.SetReal(Now().*field + offset);
  return kDone;
}

// A real number as a time_t: its integer part, when the type holds it.
std::optional<std::time_t> ToTimeT(double seconds) {
  const std::int64_t whole = TruncToInt64(seconds);
  if (!std::isfinite(seconds) || whole == std::numeric_limits<std::int64_t>::min()) return std::nullopt;
  const auto t = static_cast<std::time_t>(whole);
  if (static_cast<std::int64_t>(t) != whole) return std::nullopt;
  return t;
}

// A field value from a real number: truncated, and kept inside int.
int ToField(double x) {
  const std::int64_t n = TruncToInt64(x);
  constexpr std::int64_t kMin = std::numeric_limits<int>::min();
  constexpr std::int64_t kMax = std::numeric_limits<int>::max();
  return static_cast<int>(n < kMin ? kMin : n > kMax ? kMax : n);
}

}  // namespace

namespace builtins {

int Time(BuiltinCall& call) {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  const auto seconds = ms / 1000;
  call.SetReal(static_cast<double>(seconds) + static_cast<double>(ms - seconds * 1000) * 0.001);
  return kDone;
}

int Mktime(BuiltinCall& call) {
  std::string format;
  if (TakeString(call.engine(), format) != kDone) return call.Fail(E_FUNCTION);
  std::tm fields = Now();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (++i == format.size()) return call.Fail(E_FUNCTION);
    int std::tm::*field = TimeField(format[i]);
    if (field == nullptr) return call.Fail(E_FUNCTION);
    CalcValue value;
    if (const int status = ReadValue(call, value)) return status;
    fields.*field = ToField(value.ToReal());
  }
  call.SetReal(static_cast<double>(std::mktime(&fields)));
  return kDone;
}

int TmSec(BuiltinCall& call) { return SetField(call, &std::tm::tm_sec); }
int TmMin(BuiltinCall& call) { return SetField(call, &std::tm::tm_min); }
int TmHour(BuiltinCall& call) { return SetField(call, &std::tm::tm_hour); }
int TmMday(BuiltinCall& call) { return SetField(call, &std::tm::tm_mday); }
int TmMon(BuiltinCall& call) { return SetField(call, &std::tm::tm_mon); }
int TmYear(BuiltinCall& call) { return SetField(call, &std::tm::tm_year); }
int TmWday(BuiltinCall& call) { return SetField(call, &std::tm::tm_wday); }
int TmYday(BuiltinCall& call) { return SetField(call, &std::tm::tm_yday); }
int TmIsdst(BuiltinCall& call) { return SetField(call, &std::tm::tm_isdst); }
int TmXmon(BuiltinCall& call) { return SetField(call, &std::tm::tm_mon, 1); }
int TmXyear(BuiltinCall& call) { return SetField(call, &std::tm::tm_year, 1900); }

}  // namespace builtins

int RunLocaltime(CalcEngine& engine, const CalcToken& command) {
  CalcEvaluator& ev = engine.evaluator();
  CalcMatrix t;
  if (const int status = ReadCommandValue(engine, command, t)) return status;
  std::string format;
  if (const int status = ReadCommandString(engine, command, format)) return status;
  const std::optional<std::time_t> when = ToTimeT(t.First().ToReal());
  const std::optional<std::tm> fields = when ? LocalTime(*when) : std::nullopt;
  if (!fields) return ev.Fail(E_COMMAND_PARAM, &command);
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (++i == format.size()) return ev.Fail(E_COMMAND_PARAM, &command);
    int std::tm::*field = TimeField(format[i]);
    if (field == nullptr) return ev.Fail(E_COMMAND_PARAM, &command);
    VariableTarget target;
    if (const int status = ReadCommandVariable(engine, command, target)) return status;
    // A constant keeps its value and the scan goes on.
    const int status = engine.storage().SetVariable(target.code, CalcValue::FromReal((*fields).*field), target.by_code);
    if (status != kDone && status != E_ASS) return ev.Fail(status, target.token);
  }
  return kNoValue;
}

}  // namespace calc
