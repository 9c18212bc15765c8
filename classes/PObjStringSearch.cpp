// The String members that look at the text without changing it: tests of
// characters and of the whole text, comparison, search, and the members
// that answer a part or a copy of the text.
#include <cstdint>

#include "classes/PObjString.h"

bool PObjString::CallSearch(uint16_t member, PArgs* args, PResultCell* result) {
  const SString& s = m_value;
  switch (member) {
    // ---- Characters ----
    case IS_UPPER_AT: return ReturnBool(result, s.IsUpperAt(GetArgInt32(args, 0)));
    case IS_LOWER_AT: return ReturnBool(result, s.IsLowerAt(GetArgInt32(args, 0)));
    case IS_ALPHA_AT: return ReturnBool(result, s.IsAlphaAt(GetArgInt32(args, 0)));
    case IS_DIGIT_AT: return ReturnBool(result, s.IsDigitAt(GetArgInt32(args, 0)));
    case IS_VOWEL_AT: return ReturnBool(result, s.IsVowelAt(GetArgInt32(args, 0)));
    case IS_CONSONANT_AT: return ReturnBool(result, s.IsConsonantAt(GetArgInt32(args, 0)));

    // ---- Comparison and tests of the whole text ----
    case COMPARE: return ReturnInt64(result, s.Compare(GetArgString(args, 0), GetArgBool(args, 1)));
    case MATCHES: return ReturnBool(result, s.Matches(GetArgString(args, 0)));
    case IS_ENCLOSED_BY: return ReturnBool(result, s.IsEnclosedBy(GetArgChar(args, 0)));
    case IS_IDENTIFIER: return ReturnBool(result, s.IsIdentifier());
    case IS_UPPER_IDENTIFIER: return ReturnBool(result, s.IsUpperIdentifier());
    case IS_LOWER_IDENTIFIER: return ReturnBool(result, s.IsLowerIdentifier());
    case IS_VALID_FILE_NAME: return ReturnBool(result, s.IsValidFileName());
    case IS_NUMBER: return ReturnBool(result, s.IsNumber());
    case IS_INTEGER: return ReturnBool(result, s.IsInteger());
    case IS_DECIMAL: return ReturnBool(result, s.IsDecimal());
    case IS_HEX_NUMBER: {
      // No prefix lets the test take "#" or "0x" itself.
      const char* prefix = GetArgString(args, 0);
      return ReturnBool(result, s.IsHexNumber(*prefix ? prefix : nullptr, GetArgBool(args, 1)));
    }
    case CLASSIFY_LITERAL: return ReturnInt64(result, s.ClassifyLiteral(GetArgChar(args, 0)));
    case IS_IP_ADDRESS: return ReturnBool(result, s.IsIpAddress());

    // ---- Search ----
    case FIND: {
      const char* text = GetArgString(args, 0);
      int start = GetArgInt32(args, 1), count = GetArgInt32(args, 2);
      return ReturnInt64(result, GetArgBool(args, 3) ? s.Find(text, start, count)
                                                     : s.FindNoCase(text, start, count));
    }
    case FIND_OUTSIDE_QUOTES:
      return ReturnInt64(result,
                         s.FindOutsideQuotes(GetArgInt32(args, 1), GetArgString(args, 0), GetArgChar(args, 2)));
    case FIND_ONE_OF:
      return ReturnInt64(result, s.FindOneOf(GetArgString(args, 0), GetArgInt32(args, 1), GetArgInt32(args, 2),
                                             GetArgBool(args, 3)));
    case REVERSE_FIND_CHAR: return ReturnInt64(result, s.ReverseFindChar(GetArgInt32(args, 1), GetArgChar(args, 0)));
    case REVERSE_FIND_ONE_OF:
      return ReturnInt64(result, s.ReverseFindOneOf(GetArgString(args, 0), GetArgInt32(args, 1)));
    case FIND_NOT_CHAR:
      return ReturnInt64(result, s.FindNotChar(GetArgChar(args, 0), GetArgInt32(args, 1), GetArgInt32(args, 2)));
    case FIND_WORD:
      return ReturnInt64(result, s.FindWord(GetArgString(args, 0), GetArgInt32(args, 1), GetArgChar(args, 2), true));

    // ---- Parts and copies of the text ----
    case SLICE: return ReturnString(result, s.Slice(GetArgInt32(args, 0), GetArgInt32(args, 1)).GetText());
    case LEFT: return ReturnString(result, s.Left(GetArgInt32(args, 0)).GetText());
    case BEFORE_CHAR_OR_ALL: return ReturnString(result, s.BeforeCharOrAll(GetArgChar(args, 0)).GetText());
    case MID: return ReturnString(result, s.Mid(GetArgInt32(args, 0), GetArgInt32(args, 1)).GetText());
    case RIGHT: return ReturnString(result, s.Right(GetArgInt32(args, 0)).GetText());
    case BEFORE_CHAR: return ReturnString(result, s.BeforeChar(GetArgChar(args, 0)).GetText());
    case AFTER_CHAR: return ReturnString(result, s.AfterChar(GetArgChar(args, 0)).GetText());
    case TO_LOWER: return ReturnString(result, s.ToLower().GetText());
    case TO_UPPER: return ReturnString(result, s.ToUpper().GetText());
    case WITHOUT_BLANKS: return ReturnString(result, s.WithoutBlanks(GetArgBool(args, 0)).GetText());
    case COUNT_LINES: return ReturnInt64(result, s.CountLines());
    case LONGEST_LINE_LENGTH: return ReturnInt64(result, s.LongestLineLength());

    // ---- Scanners that hand the position after what they read back through
    // their arguments; a null argument takes nothing ----
    case NEXT_MARKUP_TOKEN: {
      int pos = GetArgInt32(args, 0), next = pos;
      bool isTag = false, isOpening = false, isClosing = false;
      SString token("");
      // Without a token (only blanks left, or a tag left open) nothing is
      // handed back.
      if (s.NextMarkupToken(pos, &token, &next, &isTag, &isOpening, &isClosing)) {
        SetArgInt64(args, 1, next);
        SetArgInt64(args, 2, isTag);
        SetArgInt64(args, 3, isOpening);
        SetArgInt64(args, 4, isClosing);
      }
      return ReturnString(result, token.GetText());
    }
    case NEXT_WORD: {
      int pos = GetArgInt32(args, 0), next = pos;
      SString word = s.NextWord(pos, &next, GetArgBool(args, 2));
      SetArgInt64(args, 1, next);
      return ReturnString(result, word.GetText());
    }
    case GET_LINE_AT: {
      int pos = GetArgInt32(args, 0), next = pos;
      SString line = s.GetLineAt(pos, &next);
      SetArgInt64(args, 1, next);
      return ReturnString(result, line.GetText());
    }
    default: return false;
  }
}
