// The converter's persistent settings: the keys of the sections
// "MAIN WINDOW" and "ENVIRONMENT", their defaults, and the order in which they
// are read and written. Out-of-range values are kept as read; the consumers
// decide what they mean (a Bit of 7 selects no width).
#pragma once

#include <string>

#include "model/ini_store.h"

namespace radixpad {

inline constexpr char kMainWindowSection[] = "MAIN WINDOW";
inline constexpr char kEnvironmentSection[] = "ENVIRONMENT";

struct ConverterSettings {
  // MAIN WINDOW
  int pos_x = 0;
  int pos_y = 0;
  int back = 0;  // 0 solid, 1 transparent, 2 wallpaper
  int fore = 0;  // 0 button faces not painted, 1 half transparent
  int skin = 0;  // 0 opaque, 1 half transparent
  std::string skin_file;
  std::string icon_file;
  bool floating = false;
  bool tray_icon = true;
  int tray_delay = 30;
  bool flat_button = false;
  // ENVIRONMENT
  bool help = true;
  bool keep_lock = false;
  bool debug = false;
  bool master = false;
  bool sign_unsigned = false;                           // the global pair
  bool field_unsigned[4] = {true, true, false, true};  // BIN OCT DEC HEX
  int bit = 2;  // 0 8 bit, 1 16 bit, 2 32 bit; anything else: no width
};

// Where the defaults that depend on the running program come from.
struct SettingsDefaults {
  int pos_x = 0;  // the window's current position
  int pos_y = 0;
  std::string program_folder;  // without a trailing backslash
};

// Reads every key in the order the window initialises them.
ConverterSettings LoadSettings(IniStore& ini, const SettingsDefaults& defaults);

// Writes every key in the documented order. `bit` is skipped when it selects
// no width. Booleans and signs are written as 0 or 1.
void SaveSettings(IniStore& ini, const ConverterSettings& settings);

// The width in bits that `bit` selects, or 0 for none.
int BitWidth(int bit);

}  // namespace radixpad
