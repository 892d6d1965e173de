// The shipped MESSAGE.INI has a sentence for every named status code.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "core/status_codes.h"

namespace radixpad {
namespace {

std::set<std::string> KeysOfErrorSection(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::set<std::string> keys;
  std::string line;
  bool in_error = false;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      in_error = line == "[ERROR]";
      continue;
    }
    const auto eq = line.find('=');
    if (in_error && eq != std::string::npos && eq > 0 && line[eq + 1] != '\0') keys.insert(line.substr(0, eq));
  }
  return keys;
}

TEST(MessageFile, EveryNamedCodeHasASentence) {
  const std::set<std::string> keys = KeysOfErrorSection(RADIXPAD_MESSAGE_INI);
  ASSERT_FALSE(keys.empty()) << RADIXPAD_MESSAGE_INI;
  int named = 0;
  for (int code = 0x100; code < 0x2200; ++code) {
    const std::string name(calc::StatusName(code));
    if (name == "E_UNKNOWN") continue;
    ++named;
    EXPECT_TRUE(keys.count(name)) << name;
  }
  EXPECT_EQ(named, 60);
}

}  // namespace
}  // namespace radixpad
