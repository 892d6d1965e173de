#include "console_engine.h"

#include <memory>
#include <new>

#include "core/render.h"
#include "core/status_codes.h"

namespace radixcalc {

std::string FormatReport(const calc::Report& report, std::string_view place) {
  std::string line;
  if (!report.source.empty()) {
    line = report.source + ":" + std::to_string(report.line);
  } else {
    line = place;
  }
  line += ": ";
  line += calc::StatusName(report.code);
  if (!report.token.empty()) {
    line += ": ";
    line += report.token;
  }
  return line;
}

std::string JoinTokens(const calc::CalcContext& context, const calc::CalcTokenList& tokens,
                       const calc::SlotNames* names) {
  std::string text;
  for (const calc::CalcToken& token : tokens) {
    if (!text.empty()) text += ' ';
    calc::AppendRenderedToken(context, token.kind(), token.payload(), names, text);
  }
  return text;
}

void ConsoleSetup::WriteReport(const std::string& line) {
  if (line == last_report_ && !line.empty()) {
    ++repeats_;
    return;
  }
  FlushReports();
  out->flush();  // results before the report, as they came
  *err << line << "\n";
  last_report_ = line;
}

void ConsoleSetup::FlushReports() {
  if (repeats_ > 0) {
    out->flush();
    *err << last_report_ << " (" << repeats_ << " more times)\n";
  }
  repeats_ = 0;
  last_report_.clear();
}

ConsoleEngine::ConsoleEngine(calc::CalcContext& context, const calc::CalcEngineSettings& settings,
                             ConsoleSetup& setup)
    : CalcEngine(context, settings), setup_(setup) {}

ConsoleEngine::ConsoleEngine(calc::CalcContext& context, ConsoleEngine& maker)
    : CalcEngine(context, StorageOf(context), maker.NestedSettings()), setup_(maker.setup_), maker_(&maker) {}

std::string ConsoleEngine::Place() const {
  if (in_source()) return std::string(source_name()) + ":" + std::to_string(SourceLine());
  if (maker_ != nullptr) return maker_->Place();
  return setup_.prefix;
}

std::string ConsoleEngine::Out(std::string_view engine_text) const {
  return setup_.codec != nullptr ? setup_.codec->FromEngine(engine_text) : std::string(engine_text);
}

bool ConsoleEngine::NextFolder(int& state, std::string& folder) {
  if (state < 0 || static_cast<std::size_t>(state) >= setup_.folders.size()) return false;
  folder = setup_.folders[static_cast<std::size_t>(state++)];
  return true;
}

std::string ConsoleEngine::FileExtension() { return setup_.extension; }

int ConsoleEngine::RunFunction(calc::CalcFunctionEntry& entry, bool copy_state, calc::CalcContext& context,
                               const calc::CalcTokenList& arguments, calc::CalcEngine& caller) {
  try {
    auto engine = std::make_unique<ConsoleEngine>(context, *this);
    return RunEntryOn(*engine, entry, copy_state, arguments, caller);
  } catch (const std::bad_alloc&) {
    return calc::E_MEM;
  }
}

int ConsoleEngine::RunNamedText(std::string_view name, calc::CalcContext& context,
                                const calc::CalcTokenList& arguments, calc::CalcEngine& caller) {
  try {
    auto engine = std::make_unique<ConsoleEngine>(context, *this);
    return RunFileOn(*engine, name, arguments, caller);
  } catch (const std::bad_alloc&) {
    return calc::E_MEM;
  }
}

bool ConsoleEngine::AssertionFailed(int line, std::string_view source) {
  const std::string place = source.empty() ? Place() : std::string(source) + ":" + std::to_string(line);
  setup_.FlushReports();
  setup_.out->flush();
  *setup_.err << Out(place) << ": assertion failed\n";
  return true;
}

void ConsoleEngine::OnReport(const calc::Report& report) {
  // The stop after a failed assertion was reported by AssertionFailed.
  if (report.code < 0x100 || report.code == calc::E_ASSERT_STOP) return;
  setup_.WriteReport(Out(FormatReport(report, Place())));
}

void ConsoleEngine::PrintValue(std::string_view real, std::string_view imaginary) {
  setup_.FlushReports();
  *setup_.out << Out(real) << Out(imaginary) << "\n";
}

void ConsoleEngine::PrintList(const calc::CalcTokenList& braces) {
  setup_.FlushReports();
  *setup_.out << Out(JoinTokens(context(), braces, &storage())) << "\n";
}

void ConsoleEngine::PrintMessage(std::string_view text) {
  setup_.FlushReports();
  *setup_.out << Out(text) << "\n";
}

std::FILE* ConsoleEngine::OpenFile(const std::string& path) {
  const std::string local = Out(path);
  std::FILE* file = std::fopen(local.c_str(), "rb");
  if (file != nullptr && debug_on()) {
    setup_.FlushReports();
    setup_.out->flush();
    std::string shown = local;
    for (char& c : shown)
      if (c == '\\') c = '/';  // the same trace on every system
    *setup_.err << Out(Place()) << ": debug: reading " << shown << "\n";
  }
  return file;
}

}  // namespace radixcalc
