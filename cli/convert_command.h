// `radixcalc convert`: one number typed into one of the converter's four
// fields, shown in all four as the converter window shows it.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace radixcalc {

// Runs the command on its arguments (after the word "convert"); returns the
// process exit status: 0 done, 1 the text is not a number, 2 usage error.
int RunConvert(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace radixcalc
