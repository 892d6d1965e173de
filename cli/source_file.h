// Script files named on the command line, and the words for why one cannot
// be read: radixcalc reports "radixcalc: cannot read NAME: REASON" and exits
// with status 2.
#pragma once

#include <fstream>
#include <ios>
#include <string>
#include <string_view>

namespace radixcalc {

// Opens `path` for reading into `file`. Returns the reason it cannot be
// read, or "" when it is open. A folder is refused here on every system (on
// Linux opening one succeeds and only reading it fails).
std::string OpenSourceFile(std::string_view path, std::ifstream& file);

// The reason carried by a failure that reading a stream threw (a file that
// opened but gives a read error, such as EIO).
std::string ReadFailureReason(const std::ios_base::failure& failure);

// How reports name a source: "standard input" for "-", else the name.
std::string_view SourceDisplayName(std::string_view name);

}  // namespace radixcalc
