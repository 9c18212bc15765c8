#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "files/SRegistry.h"

namespace {

// Each test works in a key of its own under HKEY_CURRENT_USER\Software and
// removes the whole tree afterwards.
const char kKey[] = "Software\\TavrinRegistryTest";
const char kSubKey[] = "Software\\TavrinRegistryTest\\Inner\\Deeper";

class SRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }

  // What the platform itself holds, bypassing the class under test.
  static bool RawQuery(const char* subKey, const char* name, DWORD& type, std::string& bytes) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
      return false;
    char buffer[1024];
    DWORD size = sizeof buffer;
    LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return false;
    bytes.assign(buffer, size);
    return true;
  }

  static void RawSet(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
};

TEST_F(SRegistryTest, TextsRoundTripAsRegSz) {
  const std::string longest(255, 'x');
  const char* texts[] = {"", "a", "hello world", "caf\xE9 \x80 na\xEFve", longest.c_str()};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(SRegistry::WriteString(HKEY_CURRENT_USER, kSubKey, "Text", text));
    EXPECT_STREQ(SRegistry::ReadString(HKEY_CURRENT_USER, kSubKey, "Text").GetText(), text);
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(RawQuery(kSubKey, "Text", type, bytes));
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(bytes, std::string(text) + '\0');  // the text and its terminator
  }
}

TEST_F(SRegistryTest, IntegersRoundTripAsRegDword) {
  const int32_t values[] = {0, 1, -1, 0x12345678, INT_MIN, INT_MAX};
  for (int32_t value : values) {
    SCOPED_TRACE(value);
    ASSERT_TRUE(SRegistry::WriteInt(HKEY_CURRENT_USER, kSubKey, "Number", value));
    EXPECT_EQ(SRegistry::ReadInt(HKEY_CURRENT_USER, kSubKey, "Number"), value);
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(RawQuery(kSubKey, "Number", type, bytes));
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(bytes.size(), 4u);
  }
}

TEST_F(SRegistryTest, EmptyNameAddressesTheDefaultValue) {
  ASSERT_TRUE(SRegistry::WriteString(HKEY_CURRENT_USER, kKey, "", "default text"));
  EXPECT_STREQ(SRegistry::ReadString(HKEY_CURRENT_USER, kKey, nullptr).GetText(), "default text");
  LONG size = 64;
  char buffer[64];
  ASSERT_EQ(RegQueryValueA(HKEY_CURRENT_USER, kKey, buffer, &size), ERROR_SUCCESS);
  EXPECT_STREQ(buffer, "default text");
}

TEST_F(SRegistryTest, MissingKeysAndValuesReadAsEmptyAndZero) {
  EXPECT_STREQ(SRegistry::ReadString(HKEY_CURRENT_USER, kSubKey, "Text").GetText(), "");
  EXPECT_EQ(SRegistry::ReadInt(HKEY_CURRENT_USER, kSubKey, "Number"), 0);
  ASSERT_TRUE(SRegistry::WriteInt(HKEY_CURRENT_USER, kKey, "Number", 7));
  EXPECT_EQ(SRegistry::ReadInt(HKEY_CURRENT_USER, kKey, "Other"), 0);
  EXPECT_STREQ(SRegistry::ReadString(HKEY_CURRENT_USER, kKey, "Other").GetText(), "");
}

TEST_F(SRegistryTest, ReadsGoByTheBytesNotTheStoredType) {
  // The integer 0x00636261 is the bytes "abc" and a 0.
  ASSERT_TRUE(SRegistry::WriteInt(HKEY_CURRENT_USER, kKey, "Number", 0x00636261));
  EXPECT_STREQ(SRegistry::ReadString(HKEY_CURRENT_USER, kKey, "Number").GetText(), "abc");
  // "ab" and its 0 fill three of the four bytes.
  ASSERT_TRUE(SRegistry::WriteString(HKEY_CURRENT_USER, kKey, "Text", "ab"));
  EXPECT_EQ(SRegistry::ReadInt(HKEY_CURRENT_USER, kKey, "Text"), 0x6261);
  // A text longer than four bytes is no integer.
  ASSERT_TRUE(SRegistry::WriteString(HKEY_CURRENT_USER, kKey, "Long", "abcd"));
  EXPECT_EQ(SRegistry::ReadInt(HKEY_CURRENT_USER, kKey, "Long"), 0);
}

TEST_F(SRegistryTest, TextsLongerThan255CharactersReadAsEmpty) {
  for (int length : {256, 300}) {
    SCOPED_TRACE(length);
    const std::string text(length, 'y');
    ASSERT_TRUE(SRegistry::WriteString(HKEY_CURRENT_USER, kKey, "Long", text.c_str()));
    EXPECT_STREQ(SRegistry::ReadString(HKEY_CURRENT_USER, kKey, "Long").GetText(), "");
  }
}

TEST_F(SRegistryTest, UnterminatedTextsAreReadOnlyWhenTheyFit) {
  // Written without their 0 byte, as other programs may store them.
  const std::string fits(255, 'f'), full(256, 'g');
  RawSet("Fits", REG_SZ, fits.data(), DWORD(fits.size()));
  RawSet("Full", REG_SZ, full.data(), DWORD(full.size()));
  EXPECT_STREQ(SRegistry::ReadString(HKEY_CURRENT_USER, kKey, "Fits").GetText(), fits.c_str());
  EXPECT_STREQ(SRegistry::ReadString(HKEY_CURRENT_USER, kKey, "Full").GetText(), "");
}

TEST_F(SRegistryTest, EmptySubKeyIsRefusedWithoutTouchingTheRoot) {
  const char name[] = "TavrinRegistryTestProbe";
  EXPECT_FALSE(SRegistry::WriteString(HKEY_CURRENT_USER, "", name, "x"));
  EXPECT_FALSE(SRegistry::WriteString(HKEY_CURRENT_USER, nullptr, name, "x"));
  EXPECT_FALSE(SRegistry::WriteInt(HKEY_CURRENT_USER, "", name, 1));
  DWORD type;
  std::string bytes;
  EXPECT_FALSE(RawQuery("", name, type, bytes));
  EXPECT_FALSE(SRegistry::DeleteKey(HKEY_CURRENT_USER, ""));
  EXPECT_FALSE(SRegistry::DeleteKey(HKEY_CURRENT_USER, nullptr));
  EXPECT_FALSE(SRegistry::DeleteValue(HKEY_CURRENT_USER, "", name));
}

TEST_F(SRegistryTest, DeleteValueRemovesOneValue) {
  ASSERT_TRUE(SRegistry::WriteInt(HKEY_CURRENT_USER, kKey, "A", 1));
  ASSERT_TRUE(SRegistry::WriteInt(HKEY_CURRENT_USER, kKey, "B", 2));
  EXPECT_TRUE(SRegistry::DeleteValue(HKEY_CURRENT_USER, kKey, "A"));
  EXPECT_EQ(SRegistry::ReadInt(HKEY_CURRENT_USER, kKey, "A"), 0);
  EXPECT_EQ(SRegistry::ReadInt(HKEY_CURRENT_USER, kKey, "B"), 2);
  EXPECT_FALSE(SRegistry::DeleteValue(HKEY_CURRENT_USER, kKey, "A"));  // already gone
  EXPECT_FALSE(SRegistry::DeleteValue(HKEY_CURRENT_USER, kKey, ""));
  EXPECT_FALSE(SRegistry::DeleteValue(HKEY_CURRENT_USER, kSubKey, "B"));  // no such key
}

TEST_F(SRegistryTest, DeleteKeyLeavesKeysThatHaveSubKeys) {
  ASSERT_TRUE(SRegistry::WriteInt(HKEY_CURRENT_USER, kSubKey, "N", 5));
  EXPECT_FALSE(SRegistry::DeleteKey(HKEY_CURRENT_USER, kKey));
  EXPECT_EQ(SRegistry::ReadInt(HKEY_CURRENT_USER, kSubKey, "N"), 5);
  EXPECT_TRUE(SRegistry::DeleteKey(HKEY_CURRENT_USER, kSubKey));
  EXPECT_EQ(SRegistry::ReadInt(HKEY_CURRENT_USER, kSubKey, "N"), 0);
  EXPECT_FALSE(SRegistry::DeleteKey(HKEY_CURRENT_USER, kSubKey));
}

}  // namespace
