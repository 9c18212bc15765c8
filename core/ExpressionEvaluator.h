// EvaluateExpression: the small calculator behind constant declarations and
// the Math class. It reads integers, decimals, hexadecimal numbers and
// double-quoted texts joined by the operators below and parentheses, and
// answers the value as source text: a text result comes back in double
// quotes, so that only a failure gives the empty string.
//
// Three stages: ScanExpressionTokens splits the text into tokens,
// ExpressionToPostfix orders them as a postfix list of SValues, and
// EvaluatePostfix computes the list on a value stack with the SValue rules
// (division always in double, texts only joined by "+").
#pragma once

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"
#include "core/SValue.h"

// The code of an operator; code / 10 is its level, a lower level binding
// tighter, and equal levels associate to the left.
enum ExpressionOperatorCode {
  EXPRESSION_MULTIPLY = 10,     // "*"
  EXPRESSION_DIVIDE = 11,       // "/"
  EXPRESSION_REMAINDER = 12,    // "%"
  EXPRESSION_ADD = 20,          // "+"
  EXPRESSION_SUBTRACT = 21,     // "-"
  EXPRESSION_SHIFT_LEFT = 30,   // "<<"
  EXPRESSION_SHIFT_RIGHT = 31,  // ">>"
  EXPRESSION_AND = 40,          // "&"
  EXPRESSION_XOR = 50,          // "^"
  EXPRESSION_OR = 60,           // "|"
  EXPRESSION_OPERAND = 70,      // no token: an operand
};

// Parentheses nest at most this deep; deeper text fails like any other
// malformed expression, so no input can exhaust the stack.
const int kMaxExpressionDepth = 256;

// The result as text, "" on any failure; null counts as "".
SString EvaluateExpression(const char* text);

// Splits the text into number, text, operator and parenthesis tokens; a
// hexadecimal number becomes its unsigned decimal text. False for a
// character that belongs to no token, an unclosed text, a text followed
// directly by a word character, unbalanced or too deeply nested
// parentheses, a '.' after something other than a number, or more than 16
// hexadecimal digits.
bool ScanExpressionTokens(const char* text, SStringArray& tokens);

// Appends the postfix form of the tokens from position on to output, one
// new SValue per entry, named by its role: "70" for an operand (holding the
// value), the operator's code for an operator. Stops after the ")" that
// closes the level it started on. False for a token that is neither
// operator, number nor text, or for parentheses nested too deep. The
// caller owns the entries appended, also on failure.
bool ExpressionToPostfix(const SStringArray& tokens, int& position, SArray<SValue*>& output,
                         int depth = 0);

// Moves the top operator of the stack to the end of the postfix list.
void PopExpressionOperator(SArray<int>& operators, SArray<SValue*>& output);

// Computes a postfix list; false for division or remainder by zero, a
// shift or bitwise operator on a non-integer, an operator short of
// operands, or anything but one value left at the end.
bool EvaluatePostfix(const SArray<SValue*>& postfix, SString& result);
