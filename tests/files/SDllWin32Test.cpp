// SDll: loading the project's test library and calling its exports with
// every argument and result type, in both calling conventions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "files/SDll.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"

namespace {

// What the library's Record export keeps (the same layout as its own).
struct ReceivedArguments {
  int32_t i;
  int64_t l;
  float f;
  double d;
  char s[64];
  char16_t u[64];
  void* p;
  int32_t calls;
};

// The stack pointer where the statement stands. Every call of SDll::Call
// below sits between two of these; the thunk under test must hand the
// stack back exactly as it found it.
#define READ_ESP(var) asm volatile("movl %%esp, %0" : "=r"(var)::"memory")

// The x87 tag word: two bits per register, 3 when it is empty. (The
// environment is put back at once, as storing it masks every exception.)
uint16_t FloatingPointTags() {
  struct {
    uint16_t control, unused1, status, unused2, tags, unused3;
    uint32_t pointers[4];
  } environment;
  asm volatile("fnstenv %0\n\tfldenv %0" : "=m"(environment));
  return environment.tags;
}

SArray<int32_t> Types(std::initializer_list<int32_t> types) {
  SArray<int32_t> list;
  for (int32_t t : types) list.Add(t);
  return list;
}

SArray<void*> Arguments(std::initializer_list<const void*> arguments) {
  SArray<void*> list;
  for (const void* a : arguments) list.Add(const_cast<void*>(a));
  return list;
}

class SDllTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { ASSERT_TRUE(dll.Load(TAVRIN_TEST_DLL)) << TAVRIN_TEST_DLL; }

  // The export's name under the convention of this run.
  std::string Name(const char* base) const {
    return std::string(base) + (GetParam() == DLL_STDCALL ? "S" : "C");
  }

  // Calls with the signature given, checking the stack pointer around it.
  bool Call(const char* base, int returnType, std::initializer_list<int32_t> types,
            std::initializer_list<const void*> arguments, void* result) {
    dll.SetCallingConvention(GetParam());
    SArray<int32_t> typeList = Types(types);
    dll.SetSignature(returnType, &typeList);
    SArray<void*> argumentList = Arguments(arguments);
    uintptr_t before, after;
    READ_ESP(before);
    bool called = dll.Call(Name(base).c_str(), result, &argumentList);
    READ_ESP(after);
    EXPECT_EQ(before, after) << Name(base);
    return called;
  }

  SDll dll;
};

TEST_P(SDllTest, EveryArgumentTypeArrivesWhole) {
  int32_t i = -123456;
  int64_t l = 0x123456789ABCDEF0LL;
  float f = 2.5f;
  double d = -1.0 / 3.0;
  const char* s = "text";
  const char16_t* u = u"wide \u00E9";
  int marker = 0;
  ASSERT_TRUE(Call("Record", DLL_NONE,
                   {DLL_INT, DLL_INT64, DLL_FLOAT, DLL_DOUBLE, DLL_STR, DLL_USTR, DLL_PTR},
                   {&i, &l, &f, &d, s, u, &marker}, nullptr));

  ReceivedArguments* seen = nullptr;
  dll.SetCallingConvention(DLL_CDECL);
  dll.SetSignature(DLL_PTR, nullptr);
  SArray<void*> none;
  ASSERT_TRUE(dll.Call("Received", &seen, &none));
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(seen->i, i);
  EXPECT_EQ(seen->l, l);
  EXPECT_EQ(seen->f, f);
  EXPECT_EQ(seen->d, d);
  EXPECT_STREQ(seen->s, "text");
  EXPECT_EQ(std::u16string(seen->u), std::u16string(u));
  EXPECT_EQ(seen->p, &marker);
}

TEST_P(SDllTest, EveryResultTypeComesBackWhole) {
  int32_t a = 12, b = 34;
  int32_t intResult = 0;
  ASSERT_TRUE(Call("Int", DLL_INT, {DLL_INT, DLL_INT}, {&a, &b}, &intResult));
  EXPECT_EQ(intResult, 12034);

  int64_t big = int64_t(1) << 32, sum = 0;
  int32_t one = 1;
  ASSERT_TRUE(Call("Int64", DLL_INT64, {DLL_INT64, DLL_INT}, {&big, &one}, &sum));
  EXPECT_EQ(sum, (int64_t(1) << 32) + 1);
  int64_t negative = -5;
  ASSERT_TRUE(Call("Int64", DLL_INT64, {DLL_INT64, DLL_INT}, {&negative, &one}, &sum));
  EXPECT_EQ(sum, -4);

  float half = 0.5f, product = 0;
  int32_t seven = 7;
  ASSERT_TRUE(Call("Float", DLL_FLOAT, {DLL_FLOAT, DLL_INT}, {&half, &seven}, &product));
  EXPECT_EQ(product, 3.5f);

  double third = 1.0 / 3.0, total = 0;
  int32_t two = 2;
  ASSERT_TRUE(Call("Double", DLL_DOUBLE, {DLL_INT, DLL_DOUBLE}, {&two, &third}, &total));
  EXPECT_EQ(total, 2.0 + 1.0 / 3.0);

  SString text("old");
  int32_t nine = 9;
  ASSERT_TRUE(Call("Str", DLL_STR, {DLL_STR, DLL_INT}, {"abc", &nine}, &text));
  EXPECT_STREQ(text.GetText(), "<abc9>");

  SString wide("old");
  ASSERT_TRUE(Call("UStr", DLL_USTR, {DLL_USTR}, {u"caf\u00E9"}, &wide));
  EXPECT_STREQ(wide.GetText(), "caf\xE9!");  // the ANSI code page

  SString nothing("old");
  ASSERT_TRUE(Call("Null", DLL_STR, {}, {}, &nothing));
  EXPECT_STREQ(nothing.GetText(), "");

  char buffer[16];
  void* moved = nullptr;
  int32_t five = 5;
  ASSERT_TRUE(Call("Ptr", DLL_PTR, {DLL_PTR, DLL_INT}, {buffer, &five}, &moved));
  EXPECT_EQ(moved, buffer + 5);
}

TEST_P(SDllTest, NoResultNeedsNoResultPointer) {
  int32_t stored = 0, value = 77;
  ASSERT_TRUE(Call("Store", DLL_NONE, {DLL_PTR, DLL_INT}, {&stored, &value}, nullptr));
  EXPECT_EQ(stored, 77);
}

TEST_P(SDllTest, TheWrongConventionLeavesTheStackAsItWas) {
  // Each export called as the other convention: the call works and the
  // stack pointer (checked in Call) comes back the same.
  SDll& library = dll;
  int other = GetParam() == DLL_STDCALL ? DLL_CDECL : DLL_STDCALL;
  std::string name = std::string("Double") + (other == DLL_STDCALL ? "S" : "C");
  SArray<int32_t> types = Types({DLL_INT, DLL_DOUBLE});
  library.SetCallingConvention(GetParam());
  library.SetSignature(DLL_DOUBLE, &types);
  int32_t a = 40;
  double b = 2.25, result = 0;
  SArray<void*> arguments = Arguments({&a, &b});
  uintptr_t before, after;
  READ_ESP(before);
  ASSERT_TRUE(library.Call(name.c_str(), &result, &arguments));
  READ_ESP(after);
  EXPECT_EQ(before, after);
  EXPECT_EQ(result, 42.25);
}

TEST_P(SDllTest, AFloatResultNotAskedForLeavesNoFloatingPointValueBehind) {
  int32_t a = 1;
  double b = 1.0;
  // More calls than the floating-point stack has registers.
  for (int k = 0; k < 10; k++)
    ASSERT_TRUE(Call("Double", DLL_NONE, {DLL_INT, DLL_DOUBLE}, {&a, &b}, nullptr));
  EXPECT_EQ(FloatingPointTags(), 0xFFFF);  // every register empty
  volatile double x = 1.5;
  EXPECT_EQ(x * 2.0, 3.0);
}

INSTANTIATE_TEST_SUITE_P(BothConventions, SDllTest, ::testing::Values(DLL_CDECL, DLL_STDCALL),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(info.param == DLL_STDCALL ? "Stdcall" : "Cdecl");
                         });

TEST(SDll, CallRefusesWhatDoesNotMatchWithoutCalling) {
  SDll dll(DLL_CDECL);
  int32_t stored = 0, value = 5;
  SArray<int32_t> types = Types({DLL_PTR, DLL_INT});
  dll.SetSignature(DLL_NONE, &types);
  SArray<void*> arguments = Arguments({&stored, &value});
  EXPECT_FALSE(dll.Call("StoreC", nullptr, &arguments));  // nothing loaded

  ASSERT_TRUE(dll.Load(TAVRIN_TEST_DLL));
  dll.SetSignature(DLL_NONE, &types);
  SArray<void*> three = Arguments({&stored, &value, &value});
  EXPECT_FALSE(dll.Call("StoreC", nullptr, &three));
  EXPECT_FALSE(dll.Call("NoSuchExport", nullptr, &arguments));
  EXPECT_FALSE(dll.Call("StoreC", nullptr, nullptr));
  SArray<void*> nullNumber = Arguments({&stored, nullptr});
  EXPECT_FALSE(dll.Call("StoreC", nullptr, &nullNumber));
  dll.SetSignature(DLL_INT, &types);
  EXPECT_FALSE(dll.Call("StoreC", nullptr, &arguments));  // a result with nowhere to go
  EXPECT_EQ(stored, 0);

  dll.SetSignature(DLL_NONE, &types);
  EXPECT_TRUE(dll.Call("StoreC", nullptr, &arguments));
  EXPECT_EQ(stored, 5);
  EXPECT_NE(dll.GetFunction("StoreS"), nullptr);
  EXPECT_EQ(dll.GetFunction("StoreS@8"), nullptr);
}

TEST(SDll, SignatureAndConventionAreSanitised) {
  SDll dll;
  EXPECT_EQ(dll.GetCallingConvention(), DLL_STDCALL);
  EXPECT_EQ(dll.GetReturnType(), DLL_NONE);
  EXPECT_EQ(SDll::ConstructWithConvention(0).GetCallingConvention(), DLL_CDECL);
  EXPECT_EQ(SDll::ConstructWithConvention(7).GetCallingConvention(), DLL_CDECL);
  dll.SetCallingConvention(3);
  EXPECT_EQ(dll.GetCallingConvention(), DLL_CDECL);
  dll.SetCallingConvention(1);
  EXPECT_EQ(dll.GetCallingConvention(), DLL_STDCALL);

  SArray<int32_t> types = Types({0, 9, DLL_USTR, -1});
  dll.SetSignature(8, &types);
  EXPECT_EQ(dll.GetReturnType(), DLL_NONE);
  const SArray<int32_t>& stored = dll.GetArgumentTypes();
  ASSERT_EQ(stored.GetCount(), 4);
  EXPECT_EQ(stored.GetAt(0), DLL_INT);
  EXPECT_EQ(stored.GetAt(1), DLL_INT);
  EXPECT_EQ(stored.GetAt(2), DLL_USTR);
  EXPECT_EQ(stored.GetAt(3), DLL_INT);
  dll.SetSignature(DLL_PTR, nullptr);
  EXPECT_EQ(dll.GetReturnType(), DLL_PTR);
  EXPECT_EQ(dll.GetArgumentTypes().GetCount(), 0);
}

TEST(SDll, ALibraryFromAStreamLivesInATemporaryFileUntilFreed) {
  SFilePath file;
  ASSERT_TRUE(file.Open(TAVRIN_TEST_DLL, false, false, true));
  SFileMem memory;
  ASSERT_GT(file.CopyTo(&memory, -1), 0);
  memory.Seek(0);

  SDll dll;
  EXPECT_FALSE(dll.LoadFromStream(nullptr));
  ASSERT_TRUE(dll.LoadFromStream(&memory));
  std::string temporary = dll.GetTemporaryPath().GetText();
  ASSERT_FALSE(temporary.empty());
  EXPECT_NE(GetFileAttributesA(temporary.c_str()), INVALID_FILE_ATTRIBUTES);

  SArray<int32_t> types = Types({DLL_INT, DLL_INT});
  dll.SetCallingConvention(DLL_STDCALL);
  dll.SetSignature(DLL_INT, &types);
  int32_t a = 3, b = 4, result = 0;
  SArray<void*> arguments = Arguments({&a, &b});
  ASSERT_TRUE(dll.Call("IntS", &result, &arguments));
  EXPECT_EQ(result, 3004);

  EXPECT_TRUE(dll.Free());
  EXPECT_FALSE(dll.IsLoaded());
  EXPECT_EQ(GetFileAttributesA(temporary.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_STREQ(dll.GetTemporaryPath().GetText(), "");
  // Freeing empties the argument types and keeps the rest of the signature.
  EXPECT_EQ(dll.GetArgumentTypes().GetCount(), 0);
  EXPECT_EQ(dll.GetReturnType(), DLL_INT);
  EXPECT_FALSE(dll.Free());
}

TEST(SDll, AStreamThatIsNoLibraryLeavesNoTemporaryFile) {
  SFileMem memory;
  memory.Write("not a library", 13);
  memory.Seek(0);
  SDll dll;
  // The name the temporary file would take is the next one; count the
  // folder's tmp files before and after instead.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  auto countTemporaryFiles = [&]() {
    int n = 0;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((std::string(temp) + "tmp*.tmp").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do n++;
    while (FindNextFileA(find, &entry));
    FindClose(find);
    return n;
  };
  int before = countTemporaryFiles();
  EXPECT_FALSE(dll.LoadFromStream(&memory));
  EXPECT_FALSE(dll.IsLoaded());
  EXPECT_EQ(countTemporaryFiles(), before);
}

TEST(SDll, LoadingAPathReplacesTheLibraryAndNeverDeletesItsFile) {
  SDll dll;
  EXPECT_FALSE(dll.Load("Z:\\no\\such\\library.dll"));
  ASSERT_TRUE(dll.Load(TAVRIN_TEST_DLL));
  ASSERT_TRUE(dll.Load("kernel32.dll"));
  EXPECT_NE(dll.GetFunction("GetTickCount"), nullptr);
  EXPECT_EQ(dll.GetFunction("IntC"), nullptr);
  EXPECT_TRUE(dll.Free());
  EXPECT_NE(GetFileAttributesA(TAVRIN_TEST_DLL), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(dll.GetFunction("GetTickCount"), nullptr);
}

}  // namespace
