// Message catalogue: placeholders expand from left to right, unknown ones
// stay, messages are cut at 255 bytes, and missing templates give "".
#include <gtest/gtest.h>

#include "core/status_codes.h"
#include "memory_ini.h"
#include "model/message_catalog.h"

namespace radixpad {
namespace {

TEST(MessageCatalog, PlaceholdersExpandAndOthersStay) {
  EXPECT_EQ(ExpandMessage("line $value here", 3, "", ""), "line 3 here");
  EXPECT_EQ(ExpandMessage("$string1:$string2", 0, "a.cef", "200"), "a.cef:200");
  EXPECT_EQ(ExpandMessage("cost $price and $", 0, "s", "t"), "cost $price and $");
  EXPECT_EQ(ExpandMessage("$string2$string2", 0, "", "$value"), "$value$value");  // no re-expansion
}

TEST(MessageCatalog, LongExpansionsAreCutAtACharacterBoundary) {
  const std::string token(300, 'x');
  EXPECT_EQ(ExpandMessage("$string2", 0, "", token).size(), kMaxMessageBytes);
  std::string pattern(254, 'a');
  pattern += "\x82\xa0";  // a double-byte character across the limit is dropped whole
  EXPECT_EQ(ExpandMessage(pattern, 0, "", ""), std::string(254, 'a'));
}

TEST(MessageCatalog, MessagesComeFromTheCodeNamesTemplate) {
  MemoryIni ini;
  ini.values[{kMessageSection, "W_OVERFLOW"}] = "overflow at $string2";
  MessageCatalog catalog(ini);
  ErrorLog log;
  EXPECT_FALSE(log.Add(3, 0, "", ""));  // progress statuses are not reports
  log.Add(calc::W_OVERFLOW, 0, "", "200");
  log.Add(calc::E_OPERATOR, 0, "", "+");
  EXPECT_EQ(catalog.MessageFor(log, 0), "overflow at 200");
  EXPECT_EQ(catalog.MessageFor(log, 1), "");
  EXPECT_EQ(catalog.MessageFor(log, 2), std::nullopt);
}

}  // namespace
}  // namespace radixpad
