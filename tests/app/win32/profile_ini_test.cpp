// The settings file through the private-profile functions: integers with a
// sign, defaults for missing keys, and settings that survive a round trip.
#include "win32/profile_ini.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/settings.h"

namespace radixpad::win32 {
namespace {

class ProfileIniTest : public testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(path_); }
  std::filesystem::path path_ = std::filesystem::temp_directory_path() / "radixpad_profile_test.ini";
  ProfileIni ini_{path_.string()};
};

TEST_F(ProfileIniTest, IntegersKeepTheirSignAndMissingKeysGiveTheDefault) {
  EXPECT_EQ(ini_.ReadInt("MAIN WINDOW", "PosX", 17), 17);
  ini_.WriteInt("MAIN WINDOW", "PosX", -50);
  EXPECT_EQ(ini_.ReadInt("MAIN WINDOW", "PosX", 17), -50);
  ini_.WriteString("MAIN WINDOW", "PosY", "12abc");
  EXPECT_EQ(ini_.ReadInt("MAIN WINDOW", "PosY", 17), 12);
  EXPECT_EQ(ini_.ReadString("MAIN WINDOW", "SkinFile", "C:\\skin.png"), "C:\\skin.png");
}

TEST_F(ProfileIniTest, SavedSettingsLoadAsTheyWere) {
  ConverterSettings saved;
  saved.pos_x = 924;
  saved.pos_y = -3;
  saved.skin_file = "C:\\\x83\x5C\\skin.png";  // a double-byte name whose second byte is "\"
  saved.keep_lock = true;
  saved.field_unsigned[2] = true;
  saved.bit = 0;
  SaveSettings(ini_, saved);
  const ConverterSettings loaded = LoadSettings(ini_, {1, 2, "C:\\x"});
  EXPECT_EQ(loaded.pos_x, 924);
  EXPECT_EQ(loaded.pos_y, -3);
  EXPECT_EQ(loaded.skin_file, saved.skin_file);
  EXPECT_TRUE(loaded.keep_lock);
  EXPECT_TRUE(loaded.field_unsigned[2]);
  EXPECT_EQ(loaded.bit, 0);
}

}  // namespace
}  // namespace radixpad::win32
