// Settings: defaults for a missing file, values kept as read, and the write
// order of every key.
#include <gtest/gtest.h>

#include "memory_ini.h"
#include "model/settings.h"

namespace radixpad {
namespace {

TEST(Settings, AMissingFileGivesTheDefaults) {
  MemoryIni ini;
  const ConverterSettings s = LoadSettings(ini, {12, 34, "C:\\Tools"});
  EXPECT_EQ(s.bit, 2);
  EXPECT_FALSE(s.sign_unsigned);
  EXPECT_TRUE(s.field_unsigned[0]);
  EXPECT_TRUE(s.field_unsigned[1]);
  EXPECT_FALSE(s.field_unsigned[2]);
  EXPECT_TRUE(s.field_unsigned[3]);
  EXPECT_FALSE(s.master);
  EXPECT_TRUE(s.help);
  EXPECT_TRUE(s.tray_icon);
  EXPECT_EQ(s.tray_delay, 30);
  EXPECT_EQ(s.pos_x, 12);
  EXPECT_EQ(s.pos_y, 34);
  EXPECT_EQ(s.skin_file, "C:\\Tools\\skin.png");
  EXPECT_EQ(s.icon_file, "C:\\Tools\\icon.png");
}

TEST(Settings, ValuesAreUsedAsReadAndBooleansWrittenAsZeroOrOne) {
  MemoryIni ini;
  ini.values[{kEnvironmentSection, "Sign"}] = "5";
  ini.values[{kEnvironmentSection, "Help"}] = "7";
  ini.values[{kMainWindowSection, "PosX"}] = "-1";
  ini.values[{kMainWindowSection, "Back"}] = "9";
  ConverterSettings s = LoadSettings(ini, {});
  EXPECT_TRUE(s.sign_unsigned);
  EXPECT_TRUE(s.help);
  EXPECT_EQ(s.pos_x, -1);
  EXPECT_EQ(s.back, 9);
  SaveSettings(ini, s);
  EXPECT_EQ((ini.values[{kEnvironmentSection, "Sign"}]), "1");
  EXPECT_EQ((ini.values[{kEnvironmentSection, "Help"}]), "1");
  EXPECT_EQ((ini.values[{kMainWindowSection, "Back"}]), "9");
}

TEST(Settings, EveryKeyIsWrittenInOrderAndAWidthOutsideTheGroupIsSkipped) {
  MemoryIni ini;
  ConverterSettings s;
  SaveSettings(ini, s);
  const std::vector<std::string> order = {
      "Back", "Fore", "Skin", "SkinFile", "IconFile", "PosX", "PosY", "Floating", "TrayIcon", "TrayDelay",
      "FlatButton", "Help", "KeepLock", "Debug", "Master", "Sign", "SignBin", "SignOct", "SignDec", "SignHex", "Bit"};
  EXPECT_EQ(ini.written, order);
  MemoryIni other;
  s.bit = 3;
  SaveSettings(other, s);
  EXPECT_EQ(other.written.back(), "SignHex");
  EXPECT_EQ(BitWidth(3), 0);
  EXPECT_EQ(BitWidth(0), 8);
}

}  // namespace
}  // namespace radixpad
