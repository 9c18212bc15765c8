// UniString members that compare, edit, cut out, search and enclose the text.
#include "classes/PObjUniString.h"

bool PObjUniString::CallEditing(Member member, PArgs* args, PResultCell* result) {
  // The end of a range given as start and end: negative reaches the end of
  // the text, as a count of -1 does.
  auto argEnd = [&](int i) {
    int32_t end = GetArgInt32(args, i);
    return end < 0 ? m_value.GetLength() : end;
  };
  switch (member) {
    case COMPARE: {
      const UniChar* other = GetArgUniString(args, 0);
      return ReturnInt64(result, GetArgBool(args, 1) ? m_value.Compare(other) : m_value.CompareNoCase(other));
    }
    case APPEND: m_value.AppendText(GetArgUniString(args, 0)); return true;
    case APPEND_AND_GET: m_value.AppendText(GetArgUniString(args, 0)); return ReturnText(result);
    case INSERT: {
      const UniChar* text = GetArgUniString(args, 0);
      int32_t repeat = GetArgInt32(args, 2);
      int64_t units = 0;
      while (text[units]) units++;
      if (m_value.GetLength() + units * (repeat > 0 ? repeat : 0) <= kMaxLength)
        m_value.Insert(text, GetArgInt32(args, 1), repeat);
      return true;
    }
    case REMOVE: m_value.Delete(GetArgInt32(args, 0), GetArgInt32(args, 1)); return true;
    case OVERWRITE:
      m_value.OverwriteRange(GetArgInt32(args, 1), argEnd(2), GetArgUniString(args, 0));
      return true;
    case SLICE: return ReturnUniString(result, m_value.Slice(GetArgInt32(args, 0), argEnd(1)).GetText());
    case LEFT: return ReturnUniString(result, m_value.Left(GetArgInt32(args, 0)).GetText());
    case BEFORE_OR_ALL:
      return ReturnUniString(result, m_value.BeforeCharOrAll(GetArgUniChar(args, 0)).GetText());
    case MID:
      return ReturnUniString(result, m_value.Mid(GetArgInt32(args, 0), GetArgInt32(args, 1)).GetText());
    case RIGHT: return ReturnUniString(result, m_value.Right(GetArgInt32(args, 0)).GetText());
    case BEFORE: return ReturnUniString(result, m_value.BeforeChar(GetArgUniChar(args, 0)).GetText());
    case AFTER: return ReturnUniString(result, m_value.AfterChar(GetArgUniChar(args, 0)).GetText());
    case TRIM: m_value.Trim(GetArgInt32(args, 0), GetArgInt32(args, 1)); return true;
    case TRIM_LEADING: m_value.TrimLeading(GetArgInt32(args, 0)); return true;
    case TRIM_TRAILING: m_value.TrimTrailing(GetArgInt32(args, 0)); return true;
    case REPLACE:
      return ReturnInt64(result, m_value.Replace(GetArgInt32(args, 2), GetArgInt32(args, 3),
                                                 GetArgUniString(args, 0), GetArgUniString(args, 1),
                                                 GetArgBool(args, 4)));
    case MAKE_LOWER: m_value.MakeLower(); return true;
    case MAKE_UPPER: m_value.MakeUpper(); return true;
    case TO_LOWER: return ReturnUniString(result, m_value.ToLower().GetText());
    case TO_UPPER: return ReturnUniString(result, m_value.ToUpper().GetText());
    case WITHOUT_BLANKS: return ReturnUniString(result, m_value.WithoutBlanks(GetArgBool(args, 0)).GetText());
    case REMOVE_BLANKS: m_value.RemoveBlanks(GetArgBool(args, 0)); return true;
    case REVERSE: m_value.Reverse(); return true;
    case FIND: {
      const UniChar* text = GetArgUniString(args, 0);
      int32_t start = GetArgInt32(args, 1), count = GetArgInt32(args, 2);
      return ReturnInt64(result, GetArgBool(args, 3) ? m_value.Find(text, start, count)
                                                     : m_value.FindNoCase(text, start, count));
    }
    case IS_ENCLOSED: return ReturnBool(result, m_value.IsEnclosedBy(GetArgUniChar(args, 0)));
    // A 0 unit cannot enclose anything: written at both ends it would end
    // the text before its first character.
    case ENCLOSE: {
      UniChar quote = GetArgUniChar(args, 0);
      return ReturnBool(result, quote != 0 && m_value.Enclose(quote));
    }
    case UNENCLOSE: return ReturnBool(result, m_value.Unenclose(GetArgUniChar(args, 0)));
    default: return true;
  }
}
