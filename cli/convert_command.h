// `radixcalc convert`: an expression typed into one of the converter's four
// fields, shown in all four as the converter window shows it: evaluated and
// written as a value, or with --hold transcribed token by token.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace radixcalc {

// Runs the command on its arguments (after the word "convert"); returns the
// process exit status: 0 done, 1 the text gives no value (or cannot become
// Shift-JIS), 2 usage error. --help (-h) prints ConvertUsage on `out`.
// Reports (warnings included) go to `err` as "radixcalc convert: NAME[: TOKEN]".
int RunConvert(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

std::string_view ConvertUsage();

}  // namespace radixcalc
