// PLanguage::CheckTokens: a line is well formed when every token's class may
// directly follow the class before it, and the last class may end a line.
#include "engine/compiler/PLanguage.h"

namespace {

using Mask = uint32_t;

constexpr Mask Bits() { return 0; }
template <class... Rest>
constexpr Mask Bits(int first, Rest... rest) {
  return (Mask(1) << first) | Bits(rest...);
}

constexpr Mask kAny = ~Mask(0);

// What may stand directly before a token of each class (index = class).
constexpr Mask kAllowedBefore[30] = {
    /* 0  not allowed */ 0,
    /* 1  number      */ Bits(5, 6, 15, 16, 17, 19, 20, 21, 22, 23, 24, 26, 28, 29),
    /* 2  string      */ Bits(5, 6, 15, 16, 17, 19, 20, 21, 22, 23, 26, 28, 29),
    /* 3  class name  */ kAny,
    /* 4  identifier  */ Bits(5, 6, 9, 10, 15, 16, 17, 19, 20, 21, 22, 23, 24, 25, 26, 28, 29),
    /* 5  if ...      */ 0,
    /* 6  return      */ 0,
    /* 7  else ...    */ 0,
    /* 8  new         */ Bits(6, 16, 26, 28, 29),
    /* 9  delete      */ 0,
    /* 10 intercept   */ 0,
    /* 11 this        */ Bits(5, 6, 9, 10, 15, 16, 17, 19, 23, 26, 28, 29),
    /* 12 caller      */ Bits(5, 6, 9, 10, 15, 16, 17, 19, 23, 26, 28, 29),
    /* 13 true, false */ Bits(5, 6, 15, 16, 17, 19, 21, 23, 26, 28, 29),
    /* 14 null        */ Bits(6, 15, 16, 17, 19, 21, 23, 26, 28, 29),
    /* 15 and, or     */ Bits(1, 2, 3, 4, 11, 12, 13, 14, 18, 27),
    /* 16 =           */ Bits(4),
    /* 17 op=         */ Bits(4),
    /* 18 ++ --       */ Bits(4),
    /* 19 comparison  */ Bits(1, 2, 3, 4, 11, 12, 13, 14, 18, 27),
    /* 20 sign        */ kAny,
    /* 21 !           */ Bits(5, 6, 15, 16, 17, 19, 20, 22, 23, 24, 26, 28, 29),
    /* 22 ~           */ Bits(5, 6, 15, 16, 17, 19, 20, 21, 23, 24, 26, 28, 29),
    /* 23 arithmetic  */ Bits(1, 2, 4, 13, 14, 18, 27),
    /* 24 bitwise     */ Bits(1, 4, 18, 27),
    /* 25 .           */ Bits(4, 11, 12),
    /* 26 (           */ Bits(4, 5, 6, 9, 10, 15, 16, 17, 19, 20, 21, 22, 23, 24, 26, 28, 29),
    /* 27 )           */ Bits(1, 2, 3, 4, 11, 12, 13, 14, 18, 26, 27),
    /* 28 ,           */ Bits(1, 2, 3, 4, 11, 12, 13, 14, 18, 27),
    /* 29 ;           */ Bits(1, 2, 3, 4, 11, 12, 13, 14, 27),
};

// What may open a line (or follow the class-0 words that open one).
constexpr Mask kAllowedFirst = Bits(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 20, 21, 22, 26);

// An assignment's target must stand where a statement or expression begins,
// or be a member reached through ".".
constexpr Mask kBeforeAssignTarget = Bits(5, 15, 16, 17, 25, 26, 28, 29);

// An operand, a closing parenthesis, "++"/"--" or a bare keyword statement.
constexpr Mask kAllowedLast = Bits(1, 2, 3, 4, 6, 7, 11, 12, 13, 14, 18, 27);

// Values written out, which nothing can be assigned to.
constexpr Mask kLiteral = Bits(1, 2, 13, 14);

bool In(Mask mask, int32_t tokenClass) {
  return tokenClass >= 0 && tokenClass < 32 && (mask & (Mask(1) << tokenClass)) != 0;
}

// Leaves the list with the classes given so far, however the check ends.
struct ClassCount {
  SArray<int32_t>& line;
  int count;
  ~ClassCount() { line.SetSize(count, true); }
};

// Why a token cannot stand where it does, for the author.
bool Misplaced(const SString& token, SString* reason) {
  if (reason) reason->Format("\"%s\" cannot stand here", token.GetText());
  return false;
}

}  // namespace

bool PLanguage::CheckTokens(const SStringArray& tokens, SArray<int32_t>* classes,
                            SString* reason) const {
  const int n = tokens.GetCount();
  if (n == 0) {
    if (reason) *reason = "an empty line";
    return false;
  }
  // The classes so far, to look two tokens back: the caller's list when it
  // gives one, so that checking a line allocates nothing.
  SArray<int32_t> own;
  SArray<int32_t>& line = classes ? *classes : own;
  const int base = line.GetCount();
  // Sized for the whole line at once rather than token by token; a fault
  // cuts it back to end with the class of the token at fault.
  if (!line.SetSize(base + n, true)) return false;
  ClassCount filled{line, base};
  int32_t previous = TokenNotAllowed;
  for (int i = 0; i < n; i++) {
    const SString& token = *tokens.GetAt(i);
    const int32_t tokenClass = ClassifyToken(previous, token);
    line.SetAt(base + i, tokenClass);
    filled.count++;
    if (previous == TokenNotAllowed) {
      if (!In(kAllowedFirst, tokenClass)) return Misplaced(token, reason);
    } else {
      if (tokenClass == TokenNotAllowed) return Misplaced(token, reason);
      const bool assignment = tokenClass == TokenAssign || tokenClass == TokenCompoundAssign;
      if (assignment && In(kLiteral, previous)) {
        if (reason) *reason = "an assignment to a constant";
        return false;
      }
      if (!In(kAllowedBefore[tokenClass], previous)) return Misplaced(token, reason);
      if (tokenClass == TokenClassName && i + 1 < n &&
          ClassifyToken(tokenClass, *tokens.GetAt(i + 1)) == TokenDot)
        return Misplaced(token, reason);
      if (assignment && i >= 2 && !In(kBeforeAssignTarget, line.GetAt(base + i - 2)))
        return Misplaced(token, reason);
    }
    previous = tokenClass;
  }
  if (In(kAllowedLast, previous)) return true;
  if (reason) reason->Format("a line cannot end with \"%s\"", tokens.GetAt(n - 1)->GetText());
  return false;
}
