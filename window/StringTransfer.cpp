// StringTransfer: the sending functions and a window's receive slots.
#include "window/StringTransfer.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "window/FrameworkMessage.h"
#include "window/SWnd.h"

namespace {

int32_t GroupCount(int32_t length) { return length > 0 ? (length - 1) / 4 + 1 : 0; }

}  // namespace

bool SendStringToWindow(HWND target, int32_t tag, const void* data, int32_t length, int32_t endValue) {
  if (!target || (length > 0 && !data)) return false;
  LRESULT slot = SendMessageA(target, kTransferStartMessage, WPARAM(tag), LPARAM(length));
  if (slot == 0) return false;
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  for (int32_t group = 0; group < GroupCount(length); group++) {
    uint32_t value = 0;
    for (int32_t i = 0; i < 4; i++) {
      int32_t at = group * 4 + i;
      value = (value << 8) | (at < length ? bytes[at] : 0);
    }
    SendMessageA(target, kTransferChunkMessage, WPARAM(slot), LPARAM(int32_t(value)));
  }
  SendMessageA(target, kTransferEndMessage, WPARAM(slot), LPARAM(endValue));
  return true;
}

bool SendTextToWindow(const char* text, HWND target, int32_t tag, int32_t endValue) {
  if (!text) return false;
  size_t length = std::strlen(text) + 1;
  if (length > size_t(kMaxTransferLength)) return false;
  return SendStringToWindow(target, tag, text, int32_t(length), endValue);
}

int32_t TransferRecord::TextLength() const {
  if (length <= 0) return 0;
  const void* end = std::memchr(Data(), 0, size_t(length));
  return end ? int32_t(static_cast<const char*>(end) - Data()) : length;
}

// ---- Receiving ---------------------------------------------------------------------------

StringReceiveSlots::~StringReceiveSlots() {
  for (Slot& slot : m_slots) FreeRecord(slot.record);
}

// Room for the header and the bytes rounded up to whole groups (the length
// rounded down plus 20 is at least that).
int32_t StringReceiveSlots::RecordSize(int32_t length) { return (length & ~3) + 20; }

int StringReceiveSlots::Start(int32_t tag, int32_t length) {
  if (length <= 0 || length > kMaxTransferLength) return 0;
  int32_t size = RecordSize(length);
  if (size > kMaxOpenTransferBytes - m_openBytes) return 0;
  for (int i = 0; i < kMaxOpenTransfers; i++) {
    Slot& slot = m_slots[i];
    if (slot.record) continue;
    // Zeroed whole: a transfer that ends early delivers zeros, not old heap.
    auto* record = static_cast<TransferRecord*>(std::calloc(1, size_t(size)));
    if (!record) return 0;
    record->length = length;
    slot = {record, length, 0, tag};
    m_openBytes += size;
    return i + 1;
  }
  return 0;
}

void StringReceiveSlots::Write(int number, int32_t bytes) {
  if (number < 1 || number > kMaxOpenTransfers) return;
  Slot& slot = m_slots[number - 1];
  // Groups past the announced length would write past the record.
  if (!slot.record || slot.written >= GroupCount(slot.length) * 4) return;
  unsigned char* at = reinterpret_cast<unsigned char*>(slot.record) + 16 + slot.written;
  uint32_t value = uint32_t(bytes);
  for (int i = 0; i < 4; i++) at[i] = (unsigned char)(value >> (24 - 8 * i));
  slot.written += 4;
}

TransferRecord* StringReceiveSlots::End(int number, int32_t endValue, int32_t* tag) {
  if (number < 1 || number > kMaxOpenTransfers) return nullptr;
  Slot& slot = m_slots[number - 1];
  TransferRecord* record = slot.record;
  if (!record) return nullptr;
  record->endValue = endValue;
  *tag = slot.tag;
  m_openBytes -= RecordSize(slot.length);
  slot = {};
  return record;
}

void StringReceiveSlots::FreeRecord(TransferRecord* record) { std::free(record); }

int StringReceiveSlots::OpenCount() const {
  int count = 0;
  for (const Slot& slot : m_slots) count += slot.record != nullptr;
  return count;
}

// ---- The window's side ------------------------------------------------------------------

bool SWnd::OnTransferMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (message) {
    case kTransferStartMessage:
      *result = m_receiveSlots.Start(int32_t(wparam), int32_t(lparam));
      return false;
    case kTransferChunkMessage:
      m_receiveSlots.Write(int(wparam), int32_t(lparam));
      return true;
    case kTransferEndMessage: {
      int32_t tag = 0;
      // The slot is free before the delivery, and the record is this
      // frame's: a receiver that deletes itself while handling it leaves
      // nothing behind to touch.
      std::unique_ptr<TransferRecord, void (*)(TransferRecord*)> record(
          m_receiveSlots.End(int(wparam), int32_t(lparam), &tag), StringReceiveSlots::FreeRecord);
      if (!record) return true;
      // A handler may receive another transfer while it handles this one.
      const TransferRecord* outer = m_receiveSlots.Delivering();
      m_receiveSlots.SetDelivering(record.get());
      if (!SendToSelf(kStringDeliveredMessage, WPARAM(tag), reinterpret_cast<LPARAM>(record.get()))) return false;
      m_receiveSlots.SetDelivering(outer);
      return true;
    }
    case kStringDeliveredMessage:
      // Sent by another thread or process, the pointer would be read as a
      // record: the class never sees it.
      return lparam != 0 && reinterpret_cast<const TransferRecord*>(lparam) == m_receiveSlots.Delivering();
  }
  return true;
}
