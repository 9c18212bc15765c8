// String transfer: what a window receives from a sender in this process, in
// another process, and from a raw sender that does not keep the rules.
#include "WindowTesting.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "window/StringTransfer.h"

namespace {

class StringTransfer : public WindowTest {};

struct Delivery {
  int32_t tag;
  int32_t length;
  int64_t endValue;
  std::string bytes;  // the record's data, rounded up to whole groups
  int32_t textLength;
};

// A receiver that copies every delivered record.
struct Receiver {
  TestWnd window;
  std::vector<Delivery> deliveries;
  Receiver() {
    window.handler = [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT*) {
      if (message != kStringDeliveredMessage) return false;
      auto* record = reinterpret_cast<const TransferRecord*>(lparam);
      size_t padded = size_t((record->length + 3) & ~3);
      deliveries.push_back({int32_t(wparam), record->length, record->endValue, std::string(record->Data(), padded),
                            record->TextLength()});
      return true;
    };
    EXPECT_TRUE(window.Make());
  }
  LRESULT Send(UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageA(window.GetHwnd(), message, wparam, lparam);
  }
};

}  // namespace

TEST_F(StringTransfer, DeliversTheBytesInGroupsOfFour) {
  struct Case {
    std::string data;
    int32_t endValue;
    std::string delivered;  // with the padding of the last group
  } cases[] = {
      {std::string("abcd\0", 5), 7, std::string("abcd\0\0\0\0", 8)},
      {"wxyz", 0, "wxyz"},
      {"q", 1, std::string("q\0\0\0", 4)},
      {"ab", -1, std::string("ab\0\0", 4)},
  };
  Receiver receiver;
  for (const Case& c : cases) {
    receiver.deliveries.clear();
    EXPECT_TRUE(SendStringToWindow(receiver.window.GetHwnd(), 42, c.data.data(), int32_t(c.data.size()), c.endValue));
    ASSERT_EQ(1u, receiver.deliveries.size()) << c.data;
    const Delivery& d = receiver.deliveries[0];
    EXPECT_EQ(42, d.tag);
    EXPECT_EQ(int32_t(c.data.size()), d.length);
    EXPECT_EQ(int64_t(c.endValue), d.endValue);
    EXPECT_EQ(c.delivered, d.bytes);
  }
  // The text arrives with its NUL.
  receiver.deliveries.clear();
  EXPECT_TRUE(SendTextToWindow("abcd", receiver.window.GetHwnd(), -5, 3));
  ASSERT_EQ(1u, receiver.deliveries.size());
  EXPECT_EQ(5, receiver.deliveries[0].length);
  EXPECT_EQ(-5, receiver.deliveries[0].tag);
  EXPECT_EQ(std::string("abcd\0\0\0\0", 8), receiver.deliveries[0].bytes);
  // Nothing to send to, or a refused start: nothing is sent.
  EXPECT_FALSE(SendStringToWindow(nullptr, 1, "x", 1, 0));
  EXPECT_FALSE(SendStringToWindow(receiver.window.GetHwnd(), 1, "", 0, 0));
  EXPECT_EQ(1u, receiver.deliveries.size());
}

TEST_F(StringTransfer, OpenTransfersTakeTheLowestFreeSlot) {
  Receiver receiver;
  EXPECT_EQ(1, receiver.Send(kTransferStartMessage, 10, 4));
  EXPECT_EQ(2, receiver.Send(kTransferStartMessage, 20, 4));
  receiver.Send(kTransferChunkMessage, 2, 0x41424344);
  receiver.Send(kTransferChunkMessage, 1, 0x61626364);
  receiver.Send(kTransferEndMessage, 1, -1);
  EXPECT_EQ(1, receiver.Send(kTransferStartMessage, 30, 4));
  receiver.Send(kTransferEndMessage, 2, 0);
  ASSERT_EQ(2u, receiver.deliveries.size());
  EXPECT_EQ(10, receiver.deliveries[0].tag);
  EXPECT_EQ("abcd", receiver.deliveries[0].bytes);
  EXPECT_EQ(-1, receiver.deliveries[0].endValue);
  EXPECT_EQ(20, receiver.deliveries[1].tag);
  EXPECT_EQ("ABCD", receiver.deliveries[1].bytes);
  // Group and end messages of free or unknown slots change nothing.
  receiver.Send(kTransferChunkMessage, 2, 0x31323334);
  receiver.Send(kTransferEndMessage, 2, 0);
  receiver.Send(kTransferEndMessage, 0, 0);
  receiver.Send(kTransferEndMessage, WPARAM(-1), 0);
  receiver.Send(kTransferEndMessage, 1000, 0);
  EXPECT_EQ(2u, receiver.deliveries.size());
  // The class still sees the group and end messages, never the start.
  EXPECT_TRUE(receiver.window.Saw(kTransferChunkMessage));
  EXPECT_TRUE(receiver.window.Saw(kTransferEndMessage));
  EXPECT_FALSE(receiver.window.Saw(kTransferStartMessage));
}

// A raw sender that does not keep the rules.
TEST_F(StringTransfer, HostileSendersAreRefusedOrBounded) {
  Receiver receiver;
  // Lengths that are empty, negative or too large are refused.
  for (LPARAM length : {LPARAM(0), LPARAM(-1), LPARAM(-4), LPARAM(INT32_MIN), LPARAM(kMaxTransferLength + 1),
                        LPARAM(INT32_MAX)})
    EXPECT_EQ(0, receiver.Send(kTransferStartMessage, 1, length)) << length;

  // Groups past the announced length are dropped; the record holds what
  // was announced.
  LRESULT slot = receiver.Send(kTransferStartMessage, 5, 5);
  ASSERT_NE(0, slot);
  for (int i = 0; i < 100; i++) receiver.Send(kTransferChunkMessage, slot, 0x41000000 + i);
  receiver.Send(kTransferEndMessage, slot, 0);
  ASSERT_EQ(1u, receiver.deliveries.size());
  EXPECT_EQ(std::string("A\0\0\0A\0\0\1", 8), receiver.deliveries[0].bytes);

  // A transfer that ends early delivers zeros where nothing was written.
  receiver.deliveries.clear();
  slot = receiver.Send(kTransferStartMessage, 6, 11);
  receiver.Send(kTransferChunkMessage, slot, 0x78797A7B);
  receiver.Send(kTransferEndMessage, slot, 0);
  ASSERT_EQ(1u, receiver.deliveries.size());
  EXPECT_EQ(std::string("xyz{") + std::string(8, '\0'), receiver.deliveries[0].bytes);

  // Read as a text, the bytes end at their first NUL or at the announced
  // length, whichever comes first: a last group without a NUL fills the
  // record to its end.
  struct TextCase {
    LPARAM length;
    std::vector<int32_t> groups;
    int32_t textLength;
  } texts[] = {
      {5, {0x41424344, 0x45464748}, 5},
      {7, {0x41424344, 0x45464748}, 7},
      {8, {0x41424344, 0x45464748}, 8},
      {6, {0x41420044, 0x45464748}, 2},
      {3, {0x00414243}, 0},
  };
  for (const TextCase& c : texts) {
    receiver.deliveries.clear();
    slot = receiver.Send(kTransferStartMessage, 1, c.length);
    for (int32_t group : c.groups) receiver.Send(kTransferChunkMessage, slot, group);
    receiver.Send(kTransferEndMessage, slot, 0);
    ASSERT_EQ(1u, receiver.deliveries.size());
    EXPECT_EQ(c.textLength, receiver.deliveries[0].textLength) << c.length;
  }

  // A delivery message from anyone but the window itself carries a pointer
  // that nobody may read: the class never sees it.
  receiver.deliveries.clear();
  for (LPARAM pointer : {LPARAM(0), LPARAM(0x10), LPARAM(-1)})
    EXPECT_EQ(0, receiver.Send(kStringDeliveredMessage, 1, pointer));
  EXPECT_TRUE(receiver.deliveries.empty());

  // Transfers that never end: the number open at once is bounded, and so
  // is the memory they hold together.
  int opened = 0;
  for (int i = 0; i < kMaxOpenTransfers + 5; i++) opened += receiver.Send(kTransferStartMessage, i, 8) != 0;
  EXPECT_EQ(kMaxOpenTransfers, opened);
  for (int i = 1; i <= kMaxOpenTransfers; i++) receiver.Send(kTransferEndMessage, i, 0);
  EXPECT_EQ(1, receiver.Send(kTransferStartMessage, 1, kMaxTransferLength));
  EXPECT_EQ(2, receiver.Send(kTransferStartMessage, 1, kMaxTransferLength - 256));
  EXPECT_EQ(0, receiver.Send(kTransferStartMessage, 1, kMaxTransferLength));
  EXPECT_EQ(3, receiver.Send(kTransferStartMessage, 1, 8));
}

// The receiver deletes itself while it handles the delivery: nothing
// touches it afterwards (its slot was freed before), and the record is
// freed all the same.
TEST_F(StringTransfer, ReceiverDeletingItselfOnDelivery) {
  PoisonedWnd* receiver = new PoisonedWnd;
  ASSERT_TRUE(receiver->Make());
  HWND handle = receiver->GetHwnd();
  std::string got;
  receiver->handler = [&](UINT message, WPARAM, LPARAM lparam, LRESULT*) {
    if (message != kStringDeliveredMessage) return false;
    got = reinterpret_cast<const TransferRecord*>(lparam)->Data();
    delete receiver;
    return true;
  };
  EXPECT_TRUE(SendTextToWindow("bye", handle, 1, 0));
  EXPECT_EQ("bye", got);
  EXPECT_TRUE(PoisonedWnd::Deleted());
  EXPECT_TRUE(PoisonedWnd::Untouched());
  EXPECT_FALSE(IsWindow(handle));
}

// A second process sends to this one's window: this test program runs
// itself with the window's handle in its environment.
TEST(StringTransferProcess, StringsCrossProcesses) {
  if (const char* target = std::getenv("TAVRIN_TRANSFER_TARGET")) {
    HWND window = HWND(uintptr_t(std::strtoul(target, nullptr, 16)));
    std::string big(4001, '\0');
    for (size_t i = 0; i < big.size(); i++) big[i] = char(i * 7 + 1);
    EXPECT_TRUE(SendTextToWindow("from afar", window, 77, -2));
    EXPECT_TRUE(SendStringToWindow(window, 78, big.data(), int32_t(big.size()), 5));
    return;
  }
  FrameworkInit(GetModuleHandleA(nullptr), SW_HIDE, kStartNoCom);
  {
    Receiver receiver;
    char handle[32];
    wsprintfA(handle, "%lx", static_cast<unsigned long>(uintptr_t(receiver.window.GetHwnd())));
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string line = std::string("\"") + exe + "\" --gtest_filter=StringTransferProcess.StringsCrossProcesses";
    std::vector<char> mutableLine(line.begin(), line.end());
    mutableLine.push_back(0);
    SetEnvironmentVariableA("TAVRIN_TRANSFER_TARGET", handle);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    BOOL started = CreateProcessA(exe, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA("TAVRIN_TRANSFER_TARGET", nullptr);
    ASSERT_TRUE(started);
    // The sender's messages are handled while this thread waits for it.
    DWORD waited = WAIT_TIMEOUT;
    for (int i = 0; i < 1200 && waited != WAIT_OBJECT_0; i++) {
      waited = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 100, QS_ALLINPUT);
      PumpMessages();
    }
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(0u, code);
    ASSERT_EQ(2u, receiver.deliveries.size());
    EXPECT_EQ(77, receiver.deliveries[0].tag);
    EXPECT_EQ(-2, receiver.deliveries[0].endValue);
    EXPECT_EQ(std::string("from afar\0\0\0", 12), receiver.deliveries[0].bytes);
    const Delivery& big = receiver.deliveries[1];
    EXPECT_EQ(4001, big.length);
    EXPECT_EQ(5, big.endValue);
    bool same = big.bytes.size() == 4004;
    for (size_t i = 0; same && i < 4001; i++) same = big.bytes[i] == char(i * 7 + 1);
    EXPECT_TRUE(same);
  }
  FrameworkExit();
}
