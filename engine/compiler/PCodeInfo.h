// PCodeInfo: one member body compiled into statements of nodes in postfix
// order. Each block statement ends with a node whose jumps (statement
// indexes) the linker fills in; the stack machine copies the nodes into its
// instructions when an object prepares the member.
#pragma once

#include <cstdint>
#include <vector>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"
#include "core/SValue.h"
#include "engine/compiler/Opcode.h"

class PEngine;
class PObjectDefinition;
class PObjectInfo;

// The kind of a compiled statement: the opcode of its closing node, 0 for a
// plain statement.
enum StatementKind : int32_t {
  STATEMENT_PLAIN = 0,
  STATEMENT_IF = OP_IF,
  STATEMENT_ELSE = OP_ELSE,
  STATEMENT_ELSEIF = OP_ELSEIF,
  STATEMENT_WHILE = OP_WHILE,
  STATEMENT_FOR = OP_FOR,
  STATEMENT_BREAK = OP_BREAK,
  STATEMENT_CONTINUE = OP_CONTINUE,
  STATEMENT_SWITCH = OP_SWITCH,
  STATEMENT_CASE = OP_CASE,
  STATEMENT_DEFAULT = OP_DEFAULT,
  STATEMENT_END = OP_END,
  STATEMENT_RETURN = OP_RETURN,
  // Work kind only: the jump (an OP_ELSE node) that closes the branch before
  // an elseif and leaves the whole if, so that a branch that finishes never
  // runs into the next elseif's test.
  STATEMENT_BRANCH_EXIT = 1000,
};

class PCodeInfo {
 public:
  // One node; owned by the PCodeInfo that made it. The widest fields come
  // first so that a node takes no padding: a large program has hundreds of
  // thousands of them, all written once at start-up.
  struct _PData {
    SValue* constant = nullptr;  // constants only; owned by the PCodeInfo
    PObjectDefinition* classDef = nullptr;
    PObjectInfo* declaration = nullptr;
    PObjectDefinition* declaringClass = nullptr;
    int32_t type = OP_NONE;
    int32_t jump1 = -1;
    int32_t jump2 = -1;
    int32_t memberKind = 0;
    int32_t memberIndex = -1;
    int32_t paramCount = 0;
    uint32_t returnType = 0;
    uint16_t memberId = 0;
    bool isVirtual = true;
  };
  typedef SArray<_PData*> NodeList;
  // The nodes of the statement being compiled. One list serves every
  // statement and keeps its room, so that only the finished statement's
  // list is allocated, once and at its size.
  class WorkList {
   public:
    int GetCount() const { return int(m_nodes.size()); }
    _PData* GetAt(int i) const { return m_nodes[size_t(i)]; }
    _PData* GetLast() const { return m_nodes.back(); }
    int Add(_PData* node) {
      m_nodes.push_back(node);
      return GetCount() - 1;
    }
    void RemoveLast() { m_nodes.pop_back(); }
    void RemoveAt(int i) { m_nodes.erase(m_nodes.begin() + i); }
    void Clear() { m_nodes.clear(); }
    void Release() { std::vector<_PData*>().swap(m_nodes); }

   private:
    std::vector<_PData*> m_nodes;
  };

  PCodeInfo();
  virtual ~PCodeInfo();
  PCodeInfo(const PCodeInfo&) = delete;
  PCodeInfo& operator=(const PCodeInfo&) = delete;

  void SetDefinition(PObjectDefinition* definition) { m_definition = definition; }
  void SetMemberIndex(int32_t member) { m_member = member; }
  PObjectDefinition* GetDefinition() const { return m_definition; }
  int32_t GetMemberIndex() const { return m_member; }

  // The body lines of the member; lines whose tag is not 0 are declarations
  // taken out before and are skipped.
  bool Compile(const SStringArray& lines);
  // The index among those lines of the one the last Compile failed on; -1
  // when it failed on no single line (blocks that do not match).
  int GetFailedLine() const { return m_failedLine; }
  // Why that line failed, in words for the program's author, where the
  // compiler knows it (an unknown name, a call's argument count, ...); ""
  // otherwise.
  const SString& GetFailureReason() const { return m_failureReason; }
  void Clear();
  bool CompileStatement(const SString& line);
  bool LinkBlocks();

  // ---- Read access for the stack machine ----
  int GetStatementCount() const { return m_statements.GetCount(); }
  const NodeList* GetStatement(int i) const { return m_statements.GetAt(i); }
  int32_t GetStackDepth() const { return m_stackDepth; }
  int32_t GetMaxParams() const { return m_maxParams; }
  int32_t GetMaxIntegers() const { return m_maxIntegers; }
  int32_t GetMaxFloats() const { return m_maxFloats; }
  int32_t GetMaxStrings() const { return m_maxStrings; }
  int32_t GetMaxUniStrings() const { return m_maxUniStrings; }

  // ---- Expression compiler ----
  // Compiles tokens from pos into out until the end of the tokens or the ")"
  // closing this group (pos is left on it); items receives the number of
  // comma-separated items, 0 when no node was produced.
  bool CompileExpression(SStringArray& tokens, const SArray<int32_t>& classes, int& pos,
                         WorkList& out, int& items);

 private:
  // The operator stack and and/or positions of one group, kept on the
  // machine stack so that a statement allocates nothing but its nodes.
  struct Group {
    enum { kMaxOperators = 64, kMaxLogical = 64 };
    int16_t operators[kMaxOperators];
    int operatorCount = 0;
    int logical[kMaxLogical];
    int logicalCount = 0;
  };
  struct OpenBlock {
    int32_t kind;
    int32_t statement;
  };
  struct PendingJump {
    int32_t statement;
    int32_t depth;
  };

  // Statements.
  bool AddStatement(NodeList* list, int32_t kind, _PData* closing);
  bool MatchBlocks(int& position, SArray<OpenBlock>& open, SArray<PendingJump>& pending);
  void ClearWork();

  // Expressions.
  bool EmitOperator(Group& group, WorkList& out);
  bool FlushOperators(Group& group, WorkList& out, int minTens);
  void ResolveLogical(Group& group, WorkList& out);
  bool CompileOperator(int code, Group& group, WorkList& out);
  bool CompileName(SStringArray& tokens, int pos, WorkList& out);
  bool CompileMemberName(SStringArray& tokens, int pos, WorkList& out);
  bool AdjustVariable(SStringArray& tokens, int pos, WorkList& out);
  bool CompileCall(SStringArray& tokens, const SArray<int32_t>& classes, int& pos, WorkList& out);
  bool CompileString(const SString& token, WorkList& out);
  bool CompileNew(const SStringArray& tokens, int& pos, WorkList& out);
  // The class searched for a name after a member-access node, null when the
  // object before it has none.
  PObjectDefinition* AccessedClass(const WorkList& out) const;
  bool IsOwnOrBase(const PObjectDefinition* d) const;
  SValue* FindNamedConstant(const char* name) const;
  void RaiseEstimates(PObjectDefinition* d, int member);

  // Keeps the first reason given for the statement being compiled (the
  // innermost fault, which is met first); false, to be returned.
  bool Refuse(const SString& reason);

  // Nodes, their lists and constant values come from blocks owned here, so
  // that compiling a statement costs no allocation per node; they all go at
  // Clear.
  _PData* MakeNode(int32_t type);
  template <class List>
  _PData* NewNode(List& out, int32_t type) {
    _PData* node = MakeNode(type);
    return node && out.Add(node) >= 0 ? node : nullptr;
  }
  SValue* NewConstantValue();
  NodeList* NewList();
  void FreeNodes();

  PObjectDefinition* m_definition;
  int32_t m_member;
  int m_failedLine = -1;
  SString m_failureReason;
  SArray<NodeList*> m_statements;
  int32_t m_stackDepth;
  int32_t m_maxParams;
  int32_t m_maxIntegers;
  int32_t m_maxFloats;
  int32_t m_maxStrings;
  int32_t m_maxUniStrings;
  // Work tables of Compile.
  // Per statement: its kind and its closing node's jumps, for the linker.
  struct Link {
    int32_t kind;
    int32_t* jump1;
    int32_t* jump2;
  };
  std::vector<Link> m_links;
  enum { kNodesPerBlock = 512 };
  SArray<_PData*> m_nodeBlocks;
  int m_blockUsed;
  // The statements' node lists, in blocks like the nodes.
  enum { kListsPerBlock = 256 };
  SArray<NodeList*> m_listBlocks;
  int m_listsUsed = 0;
  // The values of constant nodes, in blocks like the nodes: only constants
  // carry one, so that making any other node costs no value.
  enum { kValuesPerBlock = 256 };
  SArray<SValue*> m_valueBlocks;
  int m_valuesUsed = 0;
  // Reused by every statement; the spare token strings are owned here.
  SStringArray m_tokens;
  SArray<SString*> m_spareTokens;
  SArray<int32_t> m_classes;
  WorkList m_work;
  int m_depth;
};
