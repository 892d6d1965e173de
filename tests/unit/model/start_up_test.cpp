// Start-up decisions: the hidden-start switch, the settings file's name and the
// window position clamp.
#include <gtest/gtest.h>

#include <limits>

#include "model/start_up.h"

namespace radixpad {
namespace {

TEST(StartUp, OnlyTheExactWordIconInAnyCaseStartsHidden) {
  for (const char* line : {"-icon", "-ICON", "-IcOn"}) EXPECT_TRUE(IsHiddenStartCommand(line)) << line;
  for (const char* line : {"", "-icon foo", " -icon", "-icons", "icon", "/icon"})
    EXPECT_FALSE(IsHiddenStartCommand(line)) << line;
}

TEST(StartUp, TheSettingsFileIsNamedAfterTheProgram) {
  EXPECT_EQ(SettingsFileName("C:\\Program Files\\RadixPad\\RadixPad.exe"), "RadixPad.ini");
  EXPECT_EQ(SettingsFileName("Z:\\tmp\\v1.2\\Radix"), "Radix.ini");
  // "ソ" is 0x83 0x5C in code page 932: its second byte is no folder separator.
  EXPECT_EQ(SettingsFileName("C:\\\x83\x5C\\\x83\x5C.exe"), "\x83\x5C.ini");
}

TEST(StartUp, AStoredPositionIsKeptOnTheDesktop) {
  EXPECT_EQ(ClampWindowCoordinate(-50, 1024), 0);
  EXPECT_EQ(ClampWindowCoordinate(-1, 1024), 0);
  EXPECT_EQ(ClampWindowCoordinate(0, 1024), 0);
  EXPECT_EQ(ClampWindowCoordinate(1023, 1024), 1023);
  EXPECT_EQ(ClampWindowCoordinate(1024, 1024), 924);
  EXPECT_EQ(ClampWindowCoordinate(std::numeric_limits<int>::max(), 768), 668);
}

}  // namespace
}  // namespace radixpad
