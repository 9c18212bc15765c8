// TokenClass: the class of one source token, shared by the line checker and
// the statement and expression compilers that read its answer.
#pragma once

#include <cstdint>

enum TokenClass : int32_t {
  TokenNotAllowed = 0,       // directive and declaration words, "constant", "?", ...
  TokenNumber = 1,           // decimal digits with at most one point
  TokenString = 2,           // a literal with its double quotes
  TokenClassName = 3,        // the identifier after "new"
  TokenIdentifier = 4,       // any other identifier ("from", "hidden", "bool" too)
  TokenBlockKeyword = 5,     // "if", "elseif", "while", "for", "switch", "case"
  TokenReturn = 6,           // "return"
  TokenPlainKeyword = 7,     // "else", "end", "continue", "break", "default"
  TokenNew = 8,              // "new"
  TokenDelete = 9,           // "delete"
  TokenIntercept = 10,       // "intercept"
  TokenThis = 11,            // "this"
  TokenCaller = 12,          // "caller"
  TokenBoolean = 13,         // "true", "false"
  TokenNull = 14,            // "null"
  TokenLogical = 15,         // "and", "or"
  TokenAssign = 16,          // "="
  TokenCompoundAssign = 17,  // "*=", "/=", "%=", "+=", "-="
  TokenStep = 18,            // "++", "--"
  TokenComparison = 19,      // "==", "!=", "<", ">", "<=", ">=", "?="
  TokenSign = 20,            // "-" where an operand is expected
  TokenNot = 21,             // "!"
  TokenComplement = 22,      // "~"
  TokenArithmetic = 23,      // "+", "-", "*", "/", "%"
  TokenBitwise = 24,         // "|", "&", "^", "<<", ">>"
  TokenDot = 25,             // "."
  TokenOpenParen = 26,       // "("
  TokenCloseParen = 27,      // ")"
  TokenComma = 28,           // ","
  TokenSemicolon = 29,       // ";"
};
