// The reporter: turns a status code and the offending token into one report
// for the host (code, line, source name, token text) and answers whether the
// run must stop. The engine object owns the hook and the switches; this file
// holds the rules so that every caller reports the same way.
#pragma once

#include <string>
#include <string_view>

#include "core/context.h"
#include "core/render.h"
#include "core/token.h"

namespace calc {

struct Report {
  int code = 0;
  int line = 0;          // 1-based within the source, 0 without one
  std::string source;    // the source's name, "" without one
  std::string token;     // the offending token's text, when the code carries one
};

class ReportHook {
 public:
  virtual ~ReportHook() = default;
  virtual void OnReport(const Report& report) = 0;
};

// The lines being run from a file or a recorded function body.
struct ReportSource {
  std::string_view name;
  int first_line = 0;
  int current_line = 0;
};

struct ReportSettings {
  const CalcContext& context;            // mode and radix to render the token in
  bool warnings_on = true;               // the warning switch
  const ReportSource* source = nullptr;  // null when no source is running
  const SlotNames* names = nullptr;      // slot names for variables and arrays
};

// What failed: a token, or a text that stands for one (the unnarrowed value
// of an array element, for example), or nothing.
struct Offender {
  const CalcToken* token = nullptr;
  std::string_view text;
};

enum class ReportOutcome { kContinue, kStop };

// Delivers the report unless it is a warning while warnings are off. Only
// warnings and token errors (0x2100) carry a token text, and E_MEM the
// offender's text: the reason a run budget gave (interrupted, step limit or
// memory limit), empty when memory simply ran out. Stops exactly for an
// error while a source is running.
ReportOutcome ReportStatus(int code, const Offender& offender, const ReportSettings& settings,
                           ReportHook& hook);

}  // namespace calc
