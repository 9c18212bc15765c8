// The String members that set, read and edit the text in place: the whole
// text and its tag, single characters, and the editing operations.
#include <cstdint>
#include <cstring>

#include "classes/PObjString.h"

namespace {

// The longest text an SString can hold; a request beyond it would end the
// process in the allocator, so such members change nothing instead.
const int64_t kMaxTextLength = 0x3FFFFFFF;

}  // namespace

bool PObjString::CallEdit(uint16_t member, PArgs* args, PResultCell* result) {
  SString& s = m_value;
  switch (member) {
    // ---- The whole text and its tag ----
    case ADDRESS: return ReturnInt64(result, int64_t(reinterpret_cast<intptr_t>(this)));
    case SET: s.SetText(GetArgString(args, 0)); return true;
    case SET_AND_GET: s.SetText(GetArgString(args, 0)); break;
    case GET: break;
    case LENGTH: return ReturnInt64(result, s.GetLength());
    case SET_TAG: s.SetTag(int32_t(uint32_t(uint64_t(GetArgInt64(args, 0))))); return true;
    case GET_TAG: return ReturnInt64(result, s.GetTag());

    // ---- Characters ----
    case SET_CHAR: s.SetAt(GetArgInt32(args, 0), GetArgChar(args, 1)); return true;
    case SET_CHAR_CODE: s.SetAt(GetArgInt32(args, 0), char(uint8_t(GetArgInt64(args, 1)))); return true;
    case GET_CHAR: return ReturnChar(result, s.GetAt(GetArgInt32(args, 0)));
    case GET_CHAR_CODE: return ReturnInt64(result, s.GetByteAt(GetArgInt32(args, 0)));
    case SET_LENGTH: {
      int length = GetArgInt32(args, 0), old = s.GetLength();
      if (length > kMaxTextLength) return true;
      char fill = GetArgChar(args, 1);
      s.SetLengthFilled(length, fill);
      // Without a fill character the new bytes are zeros, never what the
      // buffer held before.
      if (fill == 0 && length > old) std::memset(s.GetBuffer() + old, 0, size_t(length - old));
      return true;
    }

    // ---- Editing ----
    case APPEND: s.AppendText(GetArgString(args, 0)); return true;
    case APPEND_AND_GET: s.AppendText(GetArgString(args, 0)); break;
    case INSERT: {
      const char* text = GetArgString(args, 0);
      int repeat = GetArgInt32(args, 2);
      if (int64_t(s.GetLength()) + int64_t(std::strlen(text)) * (repeat > 0 ? repeat : 0) > kMaxTextLength)
        return true;
      s.Insert(text, GetArgInt32(args, 1), repeat);
      return true;
    }
    case REMOVE: s.Delete(GetArgInt32(args, 0), GetArgInt32(args, 1)); return true;
    case OVERWRITE_RANGE:
      s.OverwriteRange(GetArgInt32(args, 1), GetArgInt32(args, 2), GetArgString(args, 0));
      return true;
    case TRIM: s.Trim(GetArgInt32(args, 0), GetArgInt32(args, 1)); return true;
    case TRIM_LEADING: s.TrimLeading(GetArgInt32(args, 0)); return true;
    case TRIM_TRAILING: s.TrimTrailing(GetArgInt32(args, 0)); return true;
    case REPLACE:
      return ReturnInt64(result, s.Replace(GetArgInt32(args, 2), GetArgInt32(args, 3), GetArgString(args, 0),
                                           GetArgString(args, 1), GetArgBool(args, 4)));
    case MAKE_LOWER: s.MakeLower(); return true;
    case MAKE_UPPER: s.MakeUpper(); return true;
    case REMOVE_BLANKS: s.RemoveBlanks(GetArgBool(args, 0)); return true;
    case REMOVE_ACCENTS: s.RemoveAccents(GetArgBool(args, 0), GetArgBool(args, 1)); return true;
    case STRIP_LEADING_NUMBER: s.StripLeadingNumber(); return true;
    case REVERSE: s.Reverse(); return true;
    case REMOVE_EXTRA_BLANKS: s.RemoveExtraBlanks(GetArgBool(args, 0), nullptr); return true;
    case ENCLOSE: return ReturnBool(result, s.Enclose(GetArgChar(args, 0)));
    case UNENCLOSE: return ReturnBool(result, s.Unenclose(GetArgChar(args, 0)));
    case WORD_WRAP_LEFT:
    case WORD_WRAP_CENTRE:
    case WORD_WRAP_RIGHT:
    case WORD_WRAP_JUSTIFY: {
      // Padded lines are width bytes each, and there are at most as many
      // lines as bytes.
      int width = GetArgInt32(args, 0);
      if ((int64_t(width) + 2) * (int64_t(s.GetLength()) + 1) > kMaxTextLength) return true;
      s.WordWrap(member - WORD_WRAP_LEFT, width, true, true);
      return true;
    }
    default: return false;
  }
  // The members that answer the text itself.
  return ReturnString(result, s.GetText());
}
