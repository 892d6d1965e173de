// SharedStore over a real file mapping: what a reader in another process sees
// of the owner's keys, and that the store disappears with its owner.
#include "shared_store.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace radixpad {
namespace {

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(SharedStore, AReaderSeesTheOwnersKeysUntilTheOwnerIsGone) {
  std::string path;
  {
    SharedStore owner("RadixPadStoreTest", true);
    path = owner.file_path();
    ASSERT_TRUE(FileExists(path)) << path;
    const SharedStore reader("RadixPadStoreTest", false);
    EXPECT_TRUE(reader.Get("HWnd", "0").store_found);
    EXPECT_EQ(reader.Get("HWnd", "0").text, "0");  // not set yet: the default
    owner.Set("HWnd", "-1234");
    owner.Set("Debug", "0");
    owner.Set("Debug", "1");
    EXPECT_EQ(reader.Get("HWnd", "0").text, "-1234");
    EXPECT_EQ(reader.Get("Debug", "").text, "1");
    EXPECT_EQ(reader.Get("Deb", "none").text, "none");
    reader.Get("HWnd", "");  // a reader cannot write
    const_cast<SharedStore&>(reader).Set("HWnd", "5");
    EXPECT_EQ(reader.Get("HWnd", "0").text, "-1234");
  }
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(SharedStore("RadixPadStoreTest", false).Get("HWnd", "0").store_found);
}

}  // namespace
}  // namespace radixpad
