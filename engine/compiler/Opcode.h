// Opcode: the number of a compiled node, which is also the number of the
// stack-machine instruction made from it. The compiler and the stack machine
// share this one table; a statement's closing opcode doubles as its kind.
#pragma once

#include <cstdint>

enum Opcode : int32_t {
  OP_NONE = 0,
  OP_CONSTANT = 1,          // push the node's constant
  OP_VARIABLE = 2,          // own variable: push its object
  OP_VARIABLE_CELL = 3,     // own variable before "=": push its cell
  OP_MEMBER = 4,            // member variable of the object on top: its object
  OP_MEMBER_CELL = 5,       // the same before "=": its cell
  OP_THIS = 6,
  OP_CALLER = 7,
  OP_GLOBAL = 8,
  OP_APPLICATION = 9,
  OP_CLASS = 10,            // class qualifier: the part of that class
  OP_INTEGER_VALUE = 11,    // own Integer variable's value
  OP_MEMBER_INTEGER = 12,
  OP_FLOAT_VALUE = 13,
  OP_MEMBER_FLOAT = 14,
  OP_STRING_VALUE = 15,
  OP_MEMBER_STRING = 16,
  OP_UNISTRING_VALUE = 17,
  OP_MEMBER_UNISTRING = 18,
  OP_STRING_QUOTED = 19,    // own String inside a literal, "`" as "'"
  OP_CALL = 20,
  OP_ACCESS = 21,           // member access; removed before the statement is stored
  OP_ADD = 22,
  OP_SUBTRACT = 23,
  OP_MULTIPLY = 24,
  OP_DIVIDE = 25,
  OP_MODULO = 26,
  OP_EQUAL = 27,
  OP_NOT_EQUAL = 28,
  OP_GREATER = 29,
  OP_GREATER_EQUAL = 30,
  OP_LESS = 31,
  OP_LESS_EQUAL = 32,
  OP_MATCHES = 33,
  OP_OR = 34,
  OP_AND = 35,
  OP_BIT_OR = 36,
  OP_BIT_AND = 37,
  OP_BIT_XOR = 38,
  OP_SHIFT_LEFT = 39,
  OP_SHIFT_RIGHT = 40,
  OP_NOT = 41,
  OP_COMPLEMENT = 42,
  OP_NEGATE = 43,
  OP_IF = 44,
  OP_ELSE = 45,
  OP_ELSEIF = 46,
  OP_WHILE = 47,
  OP_FOR = 48,              // for condition
  OP_FOR_START = 49,        // end of a for initialisation: skip the increment
  OP_BREAK = 50,
  OP_CONTINUE = 51,
  OP_SWITCH = 52,
  OP_CASE = 53,
  OP_DEFAULT = 54,
  OP_END = 55,
  OP_RETURN = 56,
  OP_NEW = 57,
  OP_ASSIGN = 58,           // rebind an object variable
  OP_ASSIGN_VALUE = 59,     // ".="
  OP_MULTIPLY_ASSIGN = 60,
  OP_DIVIDE_ASSIGN = 61,
  OP_MODULO_ASSIGN = 62,
  OP_ADD_ASSIGN = 63,
  OP_SUBTRACT_ASSIGN = 64,
  OP_INCREMENT = 65,
  OP_DECREMENT = 66,
  OP_DELETE = 67,
  OP_INTERCEPT = 68,
  OP_LAST = 68,
};
