// The Dll class called as a program calls it, on the tests' own library
// (tests/e2e/scriptlib), whose exports answer with what they received: every
// argument and result type, both conventions, the signature's rules, and the
// temporary file of a library loaded from the resources, which the test
// puts in a scratch folder of its own by pointing TMP there.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "classes/PObjDll.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/DataClassTest.h"

namespace {

using classtest::kUnset;
using D = PObjDll;
namespace fs = std::filesystem;

class PObjDllWin32Test : public classtest::DataClassTest {
 protected:
  void SetUp() override {
    DataClassTest::SetUp();
    dll = NewObject<D>();
  }
  D* Loaded() {
    D* d = NewObject<D>();
    EXPECT_EQ(Int(d, D::LOAD, TAVRIN_SCRIPT_LIB), 1);
    return d;
  }
  // Member 3 with the types given; NONE for the rest.
  template <class... T>
  void Signature(D* d, T... types) {
    Do(d, D::SET_SIGNATURE, int64_t(types)...);
  }

  D* dll = nullptr;
};

TEST_F(PObjDllWin32Test, Declaration) {
  PObjectDefinition* d = engine.FindDefinition(D::kTypeCode);
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetName(), "Dll");
  EXPECT_EQ(d->GetCategory(), CATEGORY_MODULES);
  const char* names[] = {"ID", "CDECL", "STDCALL", "NONE", "INT", "INT64", "FLOAT", "DOUBLE", "STR", "USTR", "PTR"};
  const int values[] = {0, 0, 1, 0, 1, 2, 3, 4, 5, 6, 7};
  ASSERT_EQ(d->GetConstantCount(), 11);
  for (int i = 1; i < 11; i++) {
    EXPECT_STREQ(d->GetConstantName(i).GetText(), names[i]);
    EXPECT_EQ(d->GetConstant(i)->ToInt64(), values[i]) << names[i];
  }
  ASSERT_EQ(d->GetMemberCount(), 8);
  const int params[8] = {9, 0, 0, 9, 0, 1, 1, 1};
  const int defaults[8] = {8, 0, 0, 9, 0, 0, 0, 0};
  for (int m = 0; m < 8; m++) {
    EXPECT_EQ(d->GetParamCount(m), params[m]) << m;
    EXPECT_EQ(d->GetDefaultCount(m), defaults[m]) << m;
  }
  EXPECT_STREQ(d->GetParamInfo(D::SET_SIGNATURE, 0)->GetDefault().GetName().GetText(), "Dll.NONE");
}

TEST_F(PObjDllWin32Test, ANewDllHasNothingToCall) {
  EXPECT_EQ(Int(dll, D::GET_CONVENTION), DLL_STDCALL);
  EXPECT_EQ(Int(dll, D::IS_LOADED), 0);
  EXPECT_EQ(Text(dll, D::CALL, "IntC", "1", "2"), "<none>");
  EXPECT_EQ(Int(dll, D::UNLOAD), 0);
  // A signature while nothing is loaded is ignored.
  Signature(dll, DLL_INT, DLL_INT, DLL_INT);
  EXPECT_EQ(Int(dll, D::LOAD, TAVRIN_SCRIPT_LIB), 1);
  EXPECT_EQ(Int(dll, D::IS_LOADED), 1);
  EXPECT_EQ(dll->GetDll().GetArgumentTypes().GetCount(), 0);
  EXPECT_EQ(dll->GetDll().GetReturnType(), DLL_NONE);
  EXPECT_EQ(Int(dll, D::LOAD, PathOf("none.dll")), 0);
  EXPECT_EQ(Int(dll, D::IS_LOADED), 0);

  Do(dll, D::SET_CONVENTION, 0);
  EXPECT_EQ(Int(dll, D::GET_CONVENTION), DLL_CDECL);
  Do(dll, D::SET_CONVENTION, 1);
  EXPECT_EQ(Int(dll, D::GET_CONVENTION), DLL_STDCALL);
  Do(dll, D::SET_CONVENTION, 7);
  EXPECT_EQ(Int(dll, D::GET_CONVENTION), DLL_CDECL);
  Do(dll, D::SET_CONVENTION, (int64_t(1) << 32) + 1);
  EXPECT_EQ(Int(dll, D::GET_CONVENTION), DLL_CDECL);
}

TEST_F(PObjDllWin32Test, EveryArgumentTypeInBothConventions) {
  D* d = Loaded();
  for (int convention : {DLL_CDECL, DLL_STDCALL}) {
    Do(d, D::SET_CONVENTION, convention);
    const char* name = convention == DLL_CDECL ? "DescribeC" : "DescribeS";
    Signature(d, DLL_STR, DLL_INT, DLL_INT64, DLL_FLOAT, DLL_DOUBLE, DLL_STR, DLL_USTR, DLL_PTR);
    EXPECT_EQ(Text(d, D::CALL, name, " -12x", "-9000000000", "2.5", "-0.125", "a b", "w\xE9", "5"),
              "i=-12 l=-9000000000 f=2.5 d=-0.125 s=[a b] u=[w<E9>] p=5")
        << name;
    // Texts that are no numbers are 0; an empty text is a text all the same.
    EXPECT_EQ(Text(d, D::CALL, name, "x", "", "", "."), "i=0 l=0 f=0 d=0 s=[] u=[] p=0") << name;
  }
}

TEST_F(PObjDllWin32Test, EveryResultType) {
  D* d = Loaded();
  const struct {
    const char* name;
    int convention, result, a, b;
    const char *x, *y;
    std::string expected;
  } calls[] = {
      {"IntC", DLL_CDECL, DLL_INT, DLL_INT, DLL_INT, "-3", "7", "-2993"},
      {"IntS", DLL_STDCALL, DLL_INT, DLL_INT, DLL_INT, "4", "5", "4005"},
      {"Int64C", DLL_CDECL, DLL_INT64, DLL_INT64, DLL_INT, "0", "1", "-1"},
      {"Int64S", DLL_STDCALL, DLL_INT64, DLL_INT64, DLL_INT, "9000000000", "1", "8999999999"},
      {"FloatC", DLL_CDECL, DLL_FLOAT, DLL_FLOAT, DLL_INT, "1.25", "2", SString::FromDouble(2.5).GetText()},
      {"FloatS", DLL_STDCALL, DLL_FLOAT, DLL_FLOAT, DLL_INT, "-0.5", "3", SString::FromDouble(-1.5).GetText()},
      {"DoubleC", DLL_CDECL, DLL_DOUBLE, DLL_DOUBLE, DLL_DOUBLE, "2", "0.5", SString::FromDouble(2.5).GetText()},
      {"DoubleS", DLL_STDCALL, DLL_DOUBLE, DLL_DOUBLE, DLL_DOUBLE, "0.1", "0.2", SString::FromDouble(0.1 + 0.2).GetText()},
      {"AddressC", DLL_CDECL, DLL_PTR, DLL_INT, DLL_NONE, "-8", "", "-8"},
      {"AddressS", DLL_STDCALL, DLL_PTR, DLL_INT, DLL_NONE, "4096", "", "4096"},
      {"DerefC", DLL_CDECL, DLL_INT, DLL_PTR, DLL_NONE, "5", "", "6"},
      {"DerefS", DLL_STDCALL, DLL_INT, DLL_PTR, DLL_NONE, "-5", "", "-4"},
      {"WideC", DLL_CDECL, DLL_USTR, DLL_USTR, DLL_NONE, "h\xE9", "", "h\xE9!"},
      {"WideS", DLL_STDCALL, DLL_USTR, DLL_USTR, DLL_NONE, "", "", "!"},
      {"IsNull", DLL_CDECL, DLL_INT, DLL_STR, DLL_NONE, "", "", "2"},
      // A null text comes back as the empty text.
      {"NullText", DLL_CDECL, DLL_STR, DLL_NONE, DLL_NONE, "", "", ""},
      {"NullWide", DLL_CDECL, DLL_USTR, DLL_NONE, DLL_NONE, "", "", ""},
  };
  for (const auto& c : calls) {
    Do(d, D::SET_CONVENTION, c.convention);
    Signature(d, c.result, c.a, c.b);
    EXPECT_EQ(Text(d, D::CALL, c.name, c.x, c.y), c.expected) << c.name;
  }
}

TEST_F(PObjDllWin32Test, SignatureRules) {
  D* d = Loaded();
  // The types after the first NONE are ignored; 9 is INT as an argument,
  // NONE as the result.
  Signature(d, DLL_INT, DLL_STR, DLL_INT, DLL_NONE, DLL_INT);
  EXPECT_EQ(d->GetDll().GetArgumentTypes().GetCount(), 2);
  Signature(d, 9, 9, 9);
  ASSERT_EQ(d->GetDll().GetArgumentTypes().GetCount(), 2);
  EXPECT_EQ(d->GetDll().GetArgumentTypes().GetAt(0), DLL_INT);
  EXPECT_EQ(d->GetDll().GetReturnType(), DLL_NONE);

  // No result stored for NONE, but the export ran.
  Do(d, D::SET_CONVENTION, DLL_STDCALL);
  Signature(d, DLL_NONE, DLL_INT);
  EXPECT_EQ(Text(d, D::CALL, "TouchS", "3"), "<none>");
  Do(d, D::SET_CONVENTION, DLL_CDECL);
  EXPECT_EQ(Text(d, D::CALL, "TouchC", "4"), "<none>");
  Signature(d, DLL_INT);
  EXPECT_EQ(Text(d, D::CALL, "Count"), "7");
  EXPECT_EQ(Text(d, D::CALL, "Missing"), "<none>");

  // Unloading clears the argument types but keeps the return type.
  Signature(d, DLL_INT, DLL_INT, DLL_INT);
  EXPECT_EQ(Int(d, D::UNLOAD), 1);
  EXPECT_EQ(Int(d, D::UNLOAD), 0);
  EXPECT_EQ(Int(d, D::LOAD, TAVRIN_SCRIPT_LIB), 1);
  EXPECT_EQ(d->GetDll().GetArgumentTypes().GetCount(), 0);
  // The library starts afresh; the INT result is still declared.
  EXPECT_EQ(Text(d, D::CALL, "Count", "1", "2"), "0");
}

class PObjDllResourceWin32Test : public PObjDllWin32Test {
 protected:
  void SetUp() override {
    PObjDllWin32Test::SetUp();
    GetEnvironmentVariableA("TMP", m_savedTmp, sizeof m_savedTmp);
    SetEnvironmentVariableA("TMP", PathOf("").c_str());
    std::string library = ReadDisk(TAVRIN_SCRIPT_LIB);
    ASSERT_GT(library.size(), 1000u);
    UseResources({{"dll\\script.dll", library}, {"dll\\broken.dll", "MZ not a library"}});
  }
  void TearDown() override {
    SetEnvironmentVariableA("TMP", m_savedTmp);
    PObjDllWin32Test::TearDown();
  }
  // The temporary files in the scratch folder.
  int TemporaryFiles() {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(PathOf("")))
      n += entry.path().extension() == ".tmp";
    return n;
  }

 private:
  char m_savedTmp[MAX_PATH] = {};
};

TEST_F(PObjDllResourceWin32Test, TheTemporaryLibraryGoesWithTheLibrary) {
  EXPECT_EQ(Int(dll, D::LOAD_RESOURCE, "script.dll"), 1);
  std::string path = dll->GetDll().GetTemporaryPath().GetText();
  EXPECT_EQ(fs::path(path).parent_path(), fs::path(PathOf("")).parent_path());
  EXPECT_EQ(TemporaryFiles(), 1);
  Signature(dll, DLL_INT, DLL_INT, DLL_INT);
  EXPECT_EQ(Text(dll, D::CALL, "IntS", "1", "2"), "1002");
  // A missing resource keeps the library.
  EXPECT_EQ(Int(dll, D::LOAD_RESOURCE, "none.dll"), kUnset);
  EXPECT_EQ(Int(dll, D::IS_LOADED), 1);

  EXPECT_EQ(Int(dll, D::UNLOAD), 1);
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(TemporaryFiles(), 0);

  EXPECT_EQ(Int(dll, D::LOAD_RESOURCE, "broken.dll"), 0);
  EXPECT_EQ(TemporaryFiles(), 0);

  // Releasing the object unloads too.
  D* other = static_cast<D*>(D::New(engine.FindDefinition(D::kTypeCode)));
  EXPECT_EQ(Int(other, D::LOAD_RESOURCE, "script.dll"), 1);
  EXPECT_EQ(TemporaryFiles(), 1);
  EXPECT_TRUE(PObject::DeleteObject(other));
  EXPECT_EQ(TemporaryFiles(), 0);
}

}  // namespace
