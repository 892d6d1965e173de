#include "language/host.h"

#include <memory>
#include <new>

#include "core/status_codes.h"
#include "language/engine.h"
#include "language/functions.h"

namespace calc {
namespace {

// The engine of a call lives on the heap: the stack a call may take is
// bounded (CalcEvaluator::kMaxCallNesting), and an engine is large.
std::unique_ptr<CalcEngine> MakeCallEngine(CalcContext& context, CalcEngine& caller) {
  return std::make_unique<CalcEngine>(context, StorageOf(context), caller.host(), caller.NestedSettings());
}

}  // namespace

void CalcHost::NotifyLine(CalcEngine&, const CalcLineInfo&) {}
bool CalcHost::PermitLine(CalcEngine&, const CalcLineInfo&) { return true; }
void CalcHost::ReservedHook(CalcEngine&) {}
bool CalcHost::NextFolder(CalcEngine&, int&, std::string&) { return false; }
std::string CalcHost::FileExtension(CalcEngine&) { return ".cef"; }

int CalcHost::RunFunction(CalcFunctionEntry& entry, bool copy_state, CalcContext& context,
                          const CalcTokenList& arguments, CalcEngine& caller) {
  try {
    const auto engine = MakeCallEngine(context, caller);
    return CalcEngine::RunEntryOn(*engine, entry, copy_state, arguments, caller);
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

int CalcHost::RunNamedText(std::string_view name, CalcContext& context, const CalcTokenList& arguments,
                           CalcEngine& caller) {
  try {
    const auto engine = MakeCallEngine(context, caller);
    return CalcEngine::RunFileOn(*engine, name, arguments, caller);
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
}

bool CalcHost::AssertionFailed(CalcEngine&, int, std::string_view) { return false; }
void CalcHost::OnReport(CalcEngine&, const Report&) {}
void CalcHost::PrintValue(CalcEngine&, std::string_view, std::string_view) {}
void CalcHost::PrintList(CalcEngine&, const CalcTokenList&) {}
void CalcHost::PrintMessage(CalcEngine&, std::string_view) {}
void CalcHost::ShowError(CalcEngine&, std::string_view) {}
void CalcHost::ClearOutput(CalcEngine&) {}
void CalcHost::PrintText(CalcEngine&, const std::vector<std::string>&, bool) {}
bool CalcHost::ReadLine(CalcEngine&, std::string_view, std::string&) { return false; }
void CalcHost::ScanValues(CalcEngine&, std::vector<CalcScanItem>&) {}
int CalcHost::HostCommand(CalcEngine&, const CalcTokenList&, CalcTokenList::const_iterator) { return 0; }
void CalcHost::CreateCanvas(CalcEngine&, CalcCanvas&, int, int) {}
void CalcHost::RefreshCanvas(CalcEngine&, CalcCanvas&) {}
void CalcHost::RefreshPixel(CalcEngine&, CalcCanvas&, int, int) {}
void CalcHost::SetWindow(CalcEngine&, CalcCanvas&, double, double, double, double) {}
void CalcHost::DrawPlot(CalcEngine&, CalcPlotState&, double, double, double) {}
void CalcHost::RedrawPlots(CalcEngine&, CalcPlotState&, double, double, double) {}
std::FILE* CalcHost::OpenFile(CalcEngine&, const std::string& path) { return OpenReadableFile(path); }

}  // namespace calc
