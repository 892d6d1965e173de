// A printf format walked into output pieces: the text between directives,
// "%%" as "%", and each directive applied to the arguments it takes (its
// "*" values first). The arguments come from an interface so that the
// commands read them from the script and tests from a list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

class PrintfArguments {
 public:
  // Each gives 0 with the next argument, or an error (which ends the format).
  virtual int NextInteger(std::int32_t& out) = 0;
  virtual int NextReal(double& out) = 0;
  virtual int NextString(std::string& out) = 0;

 protected:
  ~PrintfArguments() = default;
};

// Appends the pieces of `format` to `pieces`. 0; E_COMMAND_PARAM for a
// directive outside the accepted grammar (printf_directive.h), a "*" value
// beyond the bound, or a format that ends inside a directive; else the
// error an argument gave.
int FormatPrintf(std::string_view format, PrintfArguments& arguments, std::vector<std::string>& pieces);

}  // namespace calc
