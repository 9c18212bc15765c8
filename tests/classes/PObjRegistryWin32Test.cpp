// The Registry class in the system registry, under keys of the test's own
// (below HKEY_CURRENT_USER\Software and HKEY_LOCAL_MACHINE\Software, and
// one each under the classes and users roots), which the test checks with
// the registry calls themselves and removes before and after.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "classes/PObjRegistry.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/DataClassTest.h"

namespace {

using classtest::kUnset;
using R = PObjRegistry;

const char kKey[] = "Software\\TavrinTests\\RegistryClass";
const char kParent[] = "Software\\TavrinTests";
const char kClassesKey[] = "TavrinTests.RegistryClass";
const char kUsersKey[] = ".DEFAULT\\Software\\TavrinTests";

class PObjRegistryWin32Test : public classtest::DataClassTest {
 protected:
  void SetUp() override {
    DataClassTest::SetUp();
    Remove();
  }
  void TearDown() override {
    Remove();
    DataClassTest::TearDown();
  }
  static void Remove() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) RegDeleteTreeA(root, kParent);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kClassesKey);
    RegDeleteTreeA(HKEY_USERS, kUsersKey);
  }
  // A value as the registry holds it: its type and bytes; type 0 when missing.
  static std::pair<DWORD, std::string> Stored(HKEY root, const char* name) {
    BYTE data[512];
    DWORD type = 0, size = sizeof data;
    if (RegGetValueA(root, kKey, name, RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS) return {0, ""};
    return {type, std::string(reinterpret_cast<char*>(data), size)};
  }
  static bool KeyExists(HKEY root, const char* key) {
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
  }
};

TEST_F(PObjRegistryWin32Test, Declaration) {
  PObjectDefinition* d = engine.FindDefinition(PObjRegistry::kTypeCode);
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetName(), "Registry");
  EXPECT_EQ(d->GetCategory(), CATEGORY_SYSTEM);
  const char* names[] = {"ID", "CURRENT_USER", "LOCAL_MACHINE", "CLASSES_ROOT", "CURRENT_CONFIG", "USERS"};
  ASSERT_EQ(d->GetConstantCount(), 6);
  for (int i = 1; i < 6; i++) {
    EXPECT_STREQ(d->GetConstantName(i).GetText(), names[i]);
    EXPECT_EQ(d->GetConstant(i)->ToInt64(), i);
  }
  ASSERT_EQ(d->GetMemberCount(), 6);
  const int params[6] = {3, 3, 4, 4, 2, 3};
  for (int m = 0; m < 6; m++) {
    EXPECT_EQ(d->GetParamCount(m), params[m]) << m;
    EXPECT_EQ(d->GetDefaultCount(m), 1) << m;
    const SValue& root = d->GetParamInfo(m, params[m] - 1)->GetDefault();
    EXPECT_EQ(root.ToInt64(), R::CURRENT_USER);
    EXPECT_STREQ(root.GetName().GetText(), "CURRENT_USER");
  }
}

TEST_F(PObjRegistryWin32Test, ValuesUnderTheCurrentUser) {
  R* reg = NewObject<R>();
  EXPECT_EQ(Int(reg, R::WRITE_INTEGER, kKey, "All", int64_t(0xFFFFFFFF)), 1);
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "All"), (std::pair<DWORD, std::string>{REG_DWORD, "\xFF\xFF\xFF\xFF"}));
  EXPECT_EQ(Int(reg, R::READ_INTEGER, kKey, "All"), 4294967295);
  // The low 32 bits of a wider number.
  EXPECT_EQ(Int(reg, R::WRITE_INTEGER, kKey, "Wide", int64_t(0x100000007)), 1);
  EXPECT_EQ(Int(reg, R::READ_INTEGER, kKey, "Wide"), 7);

  EXPECT_EQ(Int(reg, R::WRITE_STRING, kKey, "Name", "Tavrin app"), 1);
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Name"),
            (std::pair<DWORD, std::string>{REG_SZ, std::string("Tavrin app", 11)}));
  EXPECT_EQ(Text(reg, R::READ_STRING, kKey, "Name"), "Tavrin app");
  // 255 characters fit the buffer with their NUL; 256 do not.
  EXPECT_EQ(Int(reg, R::WRITE_STRING, kKey, "Fits", std::string(255, 'x')), 1);
  EXPECT_EQ(Text(reg, R::READ_STRING, kKey, "Fits"), std::string(255, 'x'));
  EXPECT_EQ(Int(reg, R::WRITE_STRING, kKey, "Long", std::string(256, 'x')), 1);
  EXPECT_EQ(Text(reg, R::READ_STRING, kKey, "Long"), "");

  EXPECT_EQ(Int(reg, R::READ_INTEGER, kKey, "Missing"), 0);
  EXPECT_EQ(Text(reg, R::READ_STRING, "Software\\TavrinTests\\None", "Name"), "");
  EXPECT_EQ(Int(reg, R::WRITE_STRING, "", "Name", "x"), 0);

  EXPECT_EQ(Int(reg, R::DELETE_VALUE, kKey, "Name"), 1);
  EXPECT_EQ(Int(reg, R::DELETE_VALUE, kKey, "Name"), 0);
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Name").first, 0u);
  EXPECT_EQ(Int(reg, R::DELETE_KEY, ""), 0);
  EXPECT_EQ(Int(reg, R::DELETE_KEY, kKey), 1);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));
  EXPECT_EQ(Int(reg, R::DELETE_KEY, kKey), 0);
}

TEST_F(PObjRegistryWin32Test, ValuesUnderTheLocalMachine) {
  R* reg = NewObject<R>();
  EXPECT_EQ(Int(reg, R::WRITE_STRING, kKey, "Where", "machine", R::LOCAL_MACHINE), 1);
  EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, "Where").first, DWORD(REG_SZ));
  EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Where").first, 0u);
  EXPECT_EQ(Text(reg, R::READ_STRING, kKey, "Where", R::LOCAL_MACHINE), "machine");
  EXPECT_EQ(Text(reg, R::READ_STRING, kKey, "Where"), "");
  EXPECT_EQ(Int(reg, R::WRITE_INTEGER, kKey, "Count", 3, R::LOCAL_MACHINE), 1);
  EXPECT_EQ(Int(reg, R::READ_INTEGER, kKey, "Count", R::LOCAL_MACHINE), 3);
  EXPECT_EQ(Int(reg, R::DELETE_VALUE, kKey, "Count", R::LOCAL_MACHINE), 1);
  EXPECT_EQ(Int(reg, R::DELETE_KEY, kKey, R::LOCAL_MACHINE), 1);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kKey));
}

TEST_F(PObjRegistryWin32Test, OtherRootsLeaveTheResult) {
  R* reg = NewObject<R>();
  for (int64_t root : {int64_t(0), int64_t(6), int64_t(-1), int64_t(0x100000001)}) {
    SCOPED_TRACE(root);
    EXPECT_EQ(Int(reg, R::WRITE_STRING, kKey, "x", "y", root), kUnset);
    EXPECT_EQ(Int(reg, R::WRITE_INTEGER, kKey, "x", 1, root), kUnset);
    EXPECT_EQ(Int(reg, R::READ_INTEGER, kKey, "x", root), kUnset);
    EXPECT_EQ(Text(reg, R::READ_STRING, kKey, "x", root), "<none>");
    EXPECT_EQ(Int(reg, R::DELETE_VALUE, kKey, "x", root), kUnset);
    EXPECT_EQ(Int(reg, R::DELETE_KEY, kKey, root), kUnset);
  }
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));
  // Each constant reaches its own root.
  const struct {
    R::Root root;
    HKEY key;
    const char* subKey;
  } roots[] = {{R::CLASSES_ROOT, HKEY_CLASSES_ROOT, kClassesKey}, {R::USERS, HKEY_USERS, kUsersKey}};
  for (const auto& r : roots) {
    SCOPED_TRACE(r.subKey);
    EXPECT_EQ(Int(reg, R::WRITE_INTEGER, r.subKey, "n", 5, r.root), 1);
    DWORD value = 0, size = sizeof value;
    EXPECT_EQ(RegGetValueA(r.key, r.subKey, "n", RRF_RT_REG_DWORD, nullptr, &value, &size), ERROR_SUCCESS);
    EXPECT_EQ(value, 5u);
    EXPECT_EQ(Int(reg, R::READ_INTEGER, r.subKey, "n", r.root), 5);
    EXPECT_EQ(Int(reg, R::DELETE_KEY, r.subKey, r.root), 1);
    EXPECT_FALSE(KeyExists(r.key, r.subKey));
  }
}

}  // namespace
