// StringTransfer: byte strings sent to a framework window of any process
// through the four transfer messages, which carry only integers (see
// FrameworkMessage.h). The sender announces a length and gets a receive
// slot, sends the bytes four at a time, then ends the transfer; the receiver
// assembles a TransferRecord and hands it to itself with
// kStringDeliveredMessage.
//
// Any process can send these messages, so the receiver trusts nothing in
// them: lengths are bounded, groups past the announced length are dropped,
// a record is zeroed whole before it is filled, and a delivery message that
// the window did not send itself never reaches its class.
#pragma once

#include <windows.h>

#include <cstdint>

// Limits of one window's receiving side. A transfer that never ends keeps
// its record for as long as the window lives, so what strangers can make a
// window hold stays small: a few open transfers, each of a bounded size.
enum : int32_t {
  kMaxTransferLength = 16 * 1024 * 1024,  // bytes of one string
  kMaxOpenTransfers = 16,                 // slots open at once in one window
  kMaxOpenTransferBytes = 32 * 1024 * 1024,  // bytes held by open slots together
};

// The delivered block, valid only during the kStringDeliveredMessage call.
#pragma pack(push, 1)
struct TransferRecord {
  int32_t length;     // as announced
  int64_t endValue;   // the end message's value, sign-extended
  int32_t reserved;
  // The bytes follow at offset 16, rounded up to a multiple of four; the
  // padding of the last group is zero.
  const char* Data() const { return reinterpret_cast<const char*>(this) + 16; }
  // The bytes read as a text: up to the first NUL, never past the announced
  // length, since the sender decides whether a NUL comes at all.
  int32_t TextLength() const;
};
#pragma pack(pop)
static_assert(sizeof(TransferRecord) == 16, "the bytes start at offset 16");

// Sends length bytes to the target window: false without a target, when the
// target refuses the start, or without data for a positive length.
bool SendStringToWindow(HWND target, int32_t tag, const void* data, int32_t length, int32_t endValue);
// The text with its terminating NUL.
bool SendTextToWindow(const char* text, HWND target, int32_t tag, int32_t endValue);

// The receive slots of one window. Slot numbers are 1-based; 0 = none.
class StringReceiveSlots {
 public:
  StringReceiveSlots() = default;
  ~StringReceiveSlots();
  StringReceiveSlots(const StringReceiveSlots&) = delete;
  StringReceiveSlots& operator=(const StringReceiveSlots&) = delete;

  // A new transfer of length bytes: the lowest free slot's number, or 0
  // when the length is not positive, too large, or no slot or room is left.
  int Start(int32_t tag, int32_t length);
  // Writes four bytes, highest first; ignored for a free or invalid slot
  // and past the announced length.
  void Write(int slot, int32_t bytes);
  // Ends the transfer: stores the end value and takes the record out of the
  // slot, which is free again. Null for a free or invalid slot. The caller
  // frees the record with FreeRecord.
  TransferRecord* End(int slot, int32_t endValue, int32_t* tag);
  static void FreeRecord(TransferRecord* record);

  int OpenCount() const;

  // The record being delivered to this window, null outside a delivery. A
  // delivery message carries a pointer, and any process can send one: only
  // the record the window is delivering itself may be read.
  const TransferRecord* Delivering() const { return m_delivering; }
  void SetDelivering(const TransferRecord* record) { m_delivering = record; }

 private:
  struct Slot {
    TransferRecord* record;  // null = free
    int32_t length;
    int32_t written;         // bytes written after the header
    int32_t tag;
  };
  static int32_t RecordSize(int32_t length);
  Slot m_slots[kMaxOpenTransfers] = {};
  int32_t m_openBytes = 0;
  const TransferRecord* m_delivering = nullptr;
};
