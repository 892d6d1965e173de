#include "model/settings.h"

namespace radixpad {
namespace {

constexpr const char* kSignKeys[4] = {"SignBin", "SignOct", "SignDec", "SignHex"};

bool ReadBool(IniStore& ini, const char* section, const char* key, bool fallback) {
  return ini.ReadInt(section, key, fallback ? 1 : 0) != 0;
}

void WriteBool(IniStore& ini, const char* section, const char* key, bool value) {
  ini.WriteInt(section, key, value ? 1 : 0);
}

}  // namespace

int BitWidth(int bit) {
  switch (bit) {
    case 0: return 8;
    case 1: return 16;
    case 2: return 32;
    default: return 0;
  }
}

ConverterSettings LoadSettings(IniStore& ini, const SettingsDefaults& defaults) {
  const char* main = kMainWindowSection;
  const char* env = kEnvironmentSection;
  ConverterSettings s;
  s.tray_delay = ini.ReadInt(main, "TrayDelay", 30);
  s.tray_icon = ReadBool(ini, main, "TrayIcon", true);
  s.flat_button = ReadBool(ini, main, "FlatButton", false);
  s.back = ini.ReadInt(main, "Back", 0);
  s.fore = ini.ReadInt(main, "Fore", 0);
  s.skin = ini.ReadInt(main, "Skin", 0);
  s.skin_file = ini.ReadString(main, "SkinFile", defaults.program_folder + "\\skin.png");
  s.icon_file = ini.ReadString(main, "IconFile", defaults.program_folder + "\\icon.png");
  s.pos_x = ini.ReadInt(main, "PosX", defaults.pos_x);
  s.pos_y = ini.ReadInt(main, "PosY", defaults.pos_y);
  s.floating = ReadBool(ini, main, "Floating", false);
  s.help = ReadBool(ini, env, "Help", true);
  s.keep_lock = ReadBool(ini, env, "KeepLock", false);
  s.debug = ReadBool(ini, env, "Debug", false);
  s.master = ReadBool(ini, env, "Master", false);
  s.sign_unsigned = ini.ReadInt(env, "Sign", 0) != 0;
  const ConverterSettings fresh;
  for (int field = 0; field < 4; ++field)
    s.field_unsigned[field] = ini.ReadInt(env, kSignKeys[field], fresh.field_unsigned[field] ? 1 : 0) != 0;
  s.bit = ini.ReadInt(env, "Bit", 2);
  return s;
}

void SaveSettings(IniStore& ini, const ConverterSettings& s) {
  const char* main = kMainWindowSection;
  const char* env = kEnvironmentSection;
  ini.WriteInt(main, "Back", s.back);
  ini.WriteInt(main, "Fore", s.fore);
  ini.WriteInt(main, "Skin", s.skin);
  ini.WriteString(main, "SkinFile", s.skin_file);
  ini.WriteString(main, "IconFile", s.icon_file);
  ini.WriteInt(main, "PosX", s.pos_x);
  ini.WriteInt(main, "PosY", s.pos_y);
  WriteBool(ini, main, "Floating", s.floating);
  WriteBool(ini, main, "TrayIcon", s.tray_icon);
  ini.WriteInt(main, "TrayDelay", s.tray_delay);
  WriteBool(ini, main, "FlatButton", s.flat_button);
  WriteBool(ini, env, "Help", s.help);
  WriteBool(ini, env, "KeepLock", s.keep_lock);
  WriteBool(ini, env, "Debug", s.debug);
  WriteBool(ini, env, "Master", s.master);
  WriteBool(ini, env, "Sign", s.sign_unsigned);
  for (int field = 0; field < 4; ++field) WriteBool(ini, env, kSignKeys[field], s.field_unsigned[field]);
  if (BitWidth(s.bit) != 0) ini.WriteInt(env, "Bit", s.bit);
}

}  // namespace radixpad
