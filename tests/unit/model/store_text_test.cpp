// SharedStore text: keys keep their lines, lookups match whole keys only,
// and the backing file name encodes the store name.
#include <gtest/gtest.h>

#include <limits>

#include "store_text.h"

namespace radixpad {
namespace {

TEST(StoreText, SetKeepsLinePositionsAndAppendsNewKeys) {
  std::string text(kEmptyStoreText);
  text = StoreSet(text, "HWnd", "1234");
  text = StoreSet(text, "Debug", "0");
  EXPECT_EQ(text, "HWnd=1234\r\nDebug=0\r\n\r\n");
  text = StoreSet(text, "HWnd", "-56");
  EXPECT_EQ(text, "HWnd=-56\r\nDebug=0\r\n\r\n");
  text = StoreSet(text, "HWnd", std::nullopt);
  EXPECT_EQ(text, "Debug=0\r\n\r\n");
}

TEST(StoreText, GetMatchesTheWholeKeyBeforeTheTerminator) {
  const std::string text = "DebugLevel=3\r\nDebug=1\r\n\r\nHWnd=9\r\n";
  EXPECT_EQ(StoreGet(text, "Debug"), "1");
  EXPECT_EQ(StoreGet(text, "DebugLevel"), "3");
  EXPECT_EQ(StoreGet(text, "HWnd"), std::nullopt);  // after the empty line
  EXPECT_EQ(StoreGet(text, "Deb"), std::nullopt);
  EXPECT_EQ(StoreGet("", "Debug"), std::nullopt);
  EXPECT_EQ(StoreGet("Debug=1", "Debug"), "1");  // a text cut off without line end
}

TEST(StoreText, FileNamesWriteEachByteSignExtended) {
  EXPECT_EQ(StoreFileName("AB"), "fmo4142");
  EXPECT_EQ(StoreFileName("RadixPad"), "fmo5261646978506164");
  EXPECT_EQ(StoreFileName("\x80"), "fmoFFFFFF80");
}

TEST(StoreText, ANumberIsReadFromItsLeadingSignedDigits) {
  EXPECT_EQ(ParseLeadingInteger("1234"), 1234);
  EXPECT_EQ(ParseLeadingInteger("-56"), -56);
  EXPECT_EQ(ParseLeadingInteger("78abc"), 78);
  EXPECT_EQ(ParseLeadingInteger("abc"), 0);
  EXPECT_EQ(ParseLeadingInteger(""), 0);
  EXPECT_EQ(ParseLeadingInteger("-"), 0);
  EXPECT_EQ(ParseLeadingInteger("99999999999999999999999"), std::numeric_limits<std::int64_t>::max());
}

}  // namespace
}  // namespace radixpad
