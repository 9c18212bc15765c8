// System members that no packed program may run for real: ending the
// session goes through a stand-in for the system call, which records the
// request and whether the shutdown privilege was on when it came. And the
// font table seen from inside the process, which another process cannot
// look into: fonts go with the object that added them, and only those.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "classes/PObjSystem.h"
#include "files/SystemActionCalls.h"
#include "tests/classes/MemberCall.h"

namespace {

using namespace classtest;

// Whether the process's token has the shutdown privilege enabled; sets it
// first when enable is given.
bool ShutdownPrivilegeOn(int enable = -1) {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
  LUID shutdown;
  bool on = false;
  if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &shutdown)) {
    if (enable >= 0) {
      TOKEN_PRIVILEGES set = {};
      set.PrivilegeCount = 1;
      set.Privileges[0].Luid = shutdown;
      set.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
      AdjustTokenPrivileges(token, FALSE, &set, 0, nullptr, nullptr);
    }
    char buffer[4096];
    DWORD size = 0;
    if (GetTokenInformation(token, TokenPrivileges, buffer, sizeof buffer, &size)) {
      const TOKEN_PRIVILEGES* all = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer);
      for (DWORD i = 0; i < all->PrivilegeCount; i++) {
        const LUID& id = all->Privileges[i].Luid;
        if (id.LowPart == shutdown.LowPart && id.HighPart == shutdown.HighPart)
          on = (all->Privileges[i].Attributes & SE_PRIVILEGE_ENABLED) != 0;
      }
    }
  }
  CloseHandle(token);
  return on;
}

struct ExitRequest {
  int calls = 0;
  UINT flags = 0;
  DWORD reason = 0;
  bool privileged = false;
};
ExitRequest g_request;

BOOL WINAPI RecordExitWindows(UINT flags, DWORD reason) {
  g_request.calls++;
  g_request.flags = flags;
  g_request.reason = reason;
  g_request.privileged = ShutdownPrivilegeOn();
  return TRUE;
}

class SystemClassTest : public ValueClassTest {
 protected:
  void SetUp() override {
    ValueClassTest::SetUp();
    m_saved = GetSystemActionCalls();
    GetSystemActionCalls().exitWindows = RecordExitWindows;
  }
  void TearDown() override {
    GetSystemActionCalls() = m_saved;
    ValueClassTest::TearDown();
  }
  SystemActionCalls m_saved;
};

TEST_F(SystemClassTest, SessionEndsAskForcedIfHungAsPlannedWithThePrivilegeFirst) {
  struct Case {
    uint16_t member;
    UINT flags;
    bool needsPrivilege;
  } cases[] = {{PObjSystem::LOG_OFF, EWX_LOGOFF | EWX_FORCEIFHUNG, false},
               {PObjSystem::RESTART, EWX_REBOOT | EWX_FORCEIFHUNG, true},
               {PObjSystem::SHUT_DOWN, EWX_SHUTDOWN | EWX_FORCEIFHUNG, true}};
  PObjSystem* system = Make<PObjSystem>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.member);
    ShutdownPrivilegeOn(0);
    ASSERT_FALSE(ShutdownPrivilegeOn());
    g_request = ExitRequest();
    Args none = With();
    CallVoid(system, c.member, none);
    EXPECT_EQ(g_request.calls, 1);
    EXPECT_EQ(g_request.flags, c.flags);
    EXPECT_EQ(g_request.reason, 0x80000000u);
    if (c.needsPrivilege) {
      EXPECT_TRUE(g_request.privileged);
    }
  }
  ShutdownPrivilegeOn(0);
}

// A scratch copy of a font file of Debian's fonts-wine package: the font
// table knows a font by its file's path. (Wine loads the fonts of the
// system's font folders at start, so a copy of one of those would be a
// duplicate that never enters the table by itself.)
class SystemFontTest : public ValueClassTest {
 protected:
  void SetUp() override {
    ValueClassTest::SetUp();
    m_folder = std::filesystem::temp_directory_path() / ("tavrin-sysfont-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(m_folder);
    m_font = (m_folder / "Scratch.ttf").string();
    ASSERT_TRUE(CopyFileA("Z:\\usr\\share\\wine\\fonts\\marlett.ttf", m_font.c_str(), FALSE));
    for (char& c : m_font) c = char(std::tolower(static_cast<unsigned char>(c)));
  }
  void TearDown() override {
    while (RemoveFontResourceA(m_font.c_str())) {
    }
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
    ValueClassTest::TearDown();
  }
  int64_t CallWithPath(PObject* system, uint16_t member) {
    Args path = With();
    path.Str(m_font.c_str());
    return CallInt(system, member, path);
  }

  std::filesystem::path m_folder;
  std::string m_font;
};

TEST_F(SystemFontTest, AFontTheObjectAddedGoesWithTheObject) {
  PObjectDefinition* d = engine.FindDefinition(PObjSystem::kTypeCode);
  ASSERT_NE(d, nullptr);
  PObject* system = d->GetFactory()(d);
  EXPECT_EQ(CallWithPath(system, PObjSystem::ADD_FONT), 1);
  PObject::DeleteObject(system);
  EXPECT_FALSE(RemoveFontResourceA(m_font.c_str()));
}

TEST_F(SystemFontTest, AFontSomeoneElseAddedIsNotTheObjectsToRemove) {
  ASSERT_NE(AddFontResourceA(m_font.c_str()), 0);
  PObjSystem* system = Make<PObjSystem>();
  EXPECT_EQ(CallWithPath(system, PObjSystem::REMOVE_FONT), 0);
  // Still in the table: the platform takes it out once.
  EXPECT_TRUE(RemoveFontResourceA(m_font.c_str()));
}

}  // namespace
