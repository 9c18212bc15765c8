// The installed ActiveX controls and dispatch ids, on Wine's own category
// manager and automation objects.
#include "window/ActiveXFunctions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// COM for each test of the suite.
class ActiveX : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { CoUninitialize(); }
};

const char* const kControlsCategory = "{40FC6ED4-2438-11CF-A3DB-080036F12502}";

// A class registered in the controls category of the test prefix, gone
// again at the end of the test. Wine's classes root does not show the
// current user's classes, so it goes to the machine's (Wine asks no
// elevation for that).
struct RegisteredControl {
  std::string clsid, key;
  RegisteredControl(const char* id, const char* name) : clsid(id), key(std::string("Software\\Classes\\CLSID\\") + id) {
    HKEY k;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &k, nullptr));
    RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(name), DWORD(std::strlen(name) + 1));
    RegCloseKey(k);
    std::string category = key + "\\Implemented Categories\\" + kControlsCategory;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, category.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &k, nullptr));
    RegCloseKey(k);
  }
  ~RegisteredControl() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str()); }
};

int IndexOf(const SStringArray& texts, const std::string& text) {
  for (int i = 0; i < texts.GetCount(); i++)
    if (_stricmp(texts.GetString(i).GetText(), text.c_str()) == 0) return i;
  return -1;
}

TEST_F(ActiveX, ListsTheControlsCategorySortedByNameIgnoringCase) {
  // Registered in the opposite order of their names, one name in capitals.
  RegisteredControl second("{8D1E5A2C-0B7F-4E31-9C65-3A0F7E2D4B11}", "tavrin Test Control B");
  RegisteredControl first("{8D1E5A2C-0B7F-4E31-9C65-3A0F7E2D4B10}", "TAVRIN Test Control A");

  SStringArray texts, names;
  SArray<GUID> ids;
  texts.Add("stale");
  int count = ListActiveXControls(&texts, &ids, &names);
  ASSERT_GE(count, 2);
  ASSERT_EQ(count, texts.GetCount());
  ASSERT_EQ(count, ids.GetCount());
  ASSERT_EQ(count, names.GetCount());
  EXPECT_EQ(-1, IndexOf(texts, "stale"));

  int a = IndexOf(texts, first.clsid), b = IndexOf(texts, second.clsid);
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  EXPECT_LT(a, b);
  EXPECT_STREQ("TAVRIN Test Control A", names.GetString(a).GetText());
  EXPECT_STREQ("tavrin Test Control B", names.GetString(b).GetText());
  // The three arrays stay together through the sort.
  for (int i = 0; i < count; i++) {
    wchar_t text[40];
    ASSERT_GT(StringFromGUID2(*ids.GetPtr(i), text, 40), 0);
    char narrow[40];
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    EXPECT_STREQ(narrow, texts.GetString(i).GetText()) << i;
    if (i > 0) {
      EXPECT_LE(_stricmp(names.GetString(i - 1).GetText(), names.GetString(i).GetText()), 0) << i;
    }
  }

  // Any array may be left out; without names nothing is sorted.
  SStringArray onlyTexts;
  EXPECT_EQ(count, ListActiveXControls(&onlyTexts, nullptr, nullptr));
  EXPECT_EQ(count, onlyTexts.GetCount());
  EXPECT_EQ(count, ListActiveXControls(nullptr, nullptr, nullptr));
}

TEST_F(ActiveX, DispatchIdsOfAnAutomationObject) {
  CLSID id;
  ASSERT_TRUE(SUCCEEDED(CLSIDFromProgID(L"Scripting.Dictionary", &id)));
  IDispatch* dictionary = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                         reinterpret_cast<void**>(&dictionary))));
  DISPID add = GetDispatchId(dictionary, "Add");
  EXPECT_NE(0, add);
  EXPECT_EQ(add, GetDispatchId(dictionary, "add"));  // names are not case-sensitive
  EXPECT_NE(add, GetDispatchId(dictionary, "Exists"));
  EXPECT_EQ(0, GetDispatchId(dictionary, "NoSuchMember"));
  EXPECT_EQ(0, GetDispatchId(nullptr, "Add"));
  dictionary->Release();
}

}  // namespace
