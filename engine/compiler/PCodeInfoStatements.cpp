// PCodeInfo: the statement compiler and the block linker.
#include <cstdlib>
#include <cstring>
#include <new>

#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "engine/PObjectInfo.h"
#include "engine/compiler/PCodeInfo.h"
#include "engine/compiler/PLanguage.h"
#include "engine/compiler/TokenText.h"

namespace {

// Nesting deeper than this is refused rather than risking the machine stack
// on a hostile body.
constexpr int kMaxNesting = 256;

int32_t KindOfKeyword(const char* word) {
  static const struct {
    const char* word;
    int32_t kind;
  } kKeywords[] = {
      {"if", STATEMENT_IF},         {"else", STATEMENT_ELSE},     {"elseif", STATEMENT_ELSEIF},
      {"while", STATEMENT_WHILE},   {"break", STATEMENT_BREAK},   {"continue", STATEMENT_CONTINUE},
      {"switch", STATEMENT_SWITCH}, {"case", STATEMENT_CASE},     {"default", STATEMENT_DEFAULT},
      {"end", STATEMENT_END},       {"return", STATEMENT_RETURN}, {"delete", OP_DELETE},
      {"intercept", OP_INTERCEPT},
  };
  for (const auto& k : kKeywords)
    if (TokenIs(word, k.word)) return k.kind;
  return STATEMENT_PLAIN;
}

// The ";"-separated parts of a for line, a quoted text kept whole. Only the
// first three are ever compiled; a part past the line's last reads as "".
struct ForParts {
  int start[3] = {0, 0, 0};
  int end[3] = {0, 0, 0};
  const SString& Piece(const char* text, int i, SString& into) const {
    into.Assign(text + start[i], end[i] - start[i]);
    return into;
  }
};

// The number of parts, -1 when a quote is left open. Cut by hand rather than
// by a general parser: a tenth of a body's lines are for lines, and the
// parser builds each part a byte at a time.
int SplitForLine(const char* text, ForParts& parts) {
  int count = 0;
  int begin = 0;
  bool quoted = false;
  for (int i = 0;; i++) {
    const char c = text[i];
    if (c == '"') quoted = !quoted;
    if (c != 0 && (c != ';' || quoted)) continue;
    if (c == 0 && quoted) return -1;
    if (count < 3) {
      parts.start[count] = begin;
      parts.end[count] = i;
    }
    count++;
    begin = i + 1;
    if (c == 0) return count;
  }
}

// The next default-made element of a list of blocks of perBlock elements,
// used of which are taken in the last; null when no block can be made.
template <class T>
T* TakeFromBlocks(SArray<T*>& blocks, int& used, int perBlock) {
  if (blocks.GetCount() == 0 || used == perBlock) {
    T* block = new (std::nothrow) T[perBlock];
    if (!block) return nullptr;
    if (blocks.Add(block) < 0) {
      delete[] block;
      return nullptr;
    }
    used = 0;
  }
  return blocks.GetLast() + used++;
}

}  // namespace

PCodeInfo::PCodeInfo()
    : m_definition(nullptr),
      m_member(-1),
      m_stackDepth(0),
      m_maxParams(0),
      m_maxIntegers(0),
      m_maxFloats(0),
      m_maxStrings(0),
      m_maxUniStrings(0),
      m_blockUsed(0),
      m_depth(0) {}

PCodeInfo::~PCodeInfo() { Clear(); }

void PCodeInfo::Clear() {
  m_statements.RemoveAll();
  FreeNodes();
  m_stackDepth = m_maxParams = m_maxIntegers = m_maxFloats = m_maxStrings = m_maxUniStrings = 0;
  ClearWork();
}

// The work tables go once the member is compiled: its PCodeInfo lives as long
// as the program runs.
void PCodeInfo::ClearWork() {
  std::vector<Link>().swap(m_links);
  m_work.Release();
  m_tokens.Purge();
  m_classes.RemoveAll();
  for (int i = 0; i < m_spareTokens.GetCount(); i++) delete m_spareTokens.GetAt(i);
  m_spareTokens.RemoveAll();
}

PCodeInfo::_PData* PCodeInfo::MakeNode(int32_t type) {
  if (m_nodeBlocks.GetCount() == 0 || m_blockUsed == kNodesPerBlock) {
    void* raw = malloc(sizeof(_PData) * kNodesPerBlock);
    if (!raw) return nullptr;
    if (m_nodeBlocks.Add(static_cast<_PData*>(raw)) < 0) {
      free(raw);
      return nullptr;
    }
    m_blockUsed = 0;
  }
  _PData* node = new (m_nodeBlocks.GetLast() + m_blockUsed) _PData;
  m_blockUsed++;
  node->type = type;
  if (type == OP_CONSTANT && !(node->constant = NewConstantValue())) return nullptr;
  return node;
}

PCodeInfo::NodeList* PCodeInfo::NewList() {
  return TakeFromBlocks(m_listBlocks, m_listsUsed, kListsPerBlock);
}

SValue* PCodeInfo::NewConstantValue() {
  return TakeFromBlocks(m_valueBlocks, m_valuesUsed, kValuesPerBlock);
}

void PCodeInfo::FreeNodes() {
  for (int b = 0; b < m_nodeBlocks.GetCount(); b++) {
    _PData* block = m_nodeBlocks.GetAt(b);
    int used = b + 1 < m_nodeBlocks.GetCount() ? int(kNodesPerBlock) : m_blockUsed;
    for (int i = 0; i < used; i++) block[i].~_PData();
    free(block);
  }
  m_nodeBlocks.RemoveAll();
  m_blockUsed = 0;
  for (int b = 0; b < m_listBlocks.GetCount(); b++) delete[] m_listBlocks.GetAt(b);
  m_listBlocks.RemoveAll();
  m_listsUsed = 0;
  for (int b = 0; b < m_valueBlocks.GetCount(); b++) delete[] m_valueBlocks.GetAt(b);
  m_valueBlocks.RemoveAll();
  m_valuesUsed = 0;
}

bool PCodeInfo::AddStatement(NodeList* list, int32_t kind, _PData* closing) {
  if (m_statements.Add(list) < 0) return false;
  m_links.push_back(Link{kind, closing ? &closing->jump1 : nullptr, closing ? &closing->jump2 : nullptr});
  return true;
}

bool PCodeInfo::Compile(const SStringArray& lines) {
  Clear();
  bool ok = true;
  m_failedLine = -1;
  m_failureReason = "";
  SString forPart;  // one buffer for every part of every for line
  int i = 0;
  for (; ok && i < lines.GetCount(); i++) {
    const SString* line = lines.GetAt(i);
    if (line->GetTag() != 0) continue;
    const char* text = line->GetText();
    char fourth = line->GetLength() > 3 ? text[3] : 0;
    bool isFor = line->GetLength() > 3 && strncmp(text, "for", 3) == 0 &&
                 (fourth == '\t' || fourth == ' ' || fourth == '!' || fourth == '"' ||
                  fourth == '(' || fourth == '-' || fourth == '~');
    if (!isFor) {
      ok = CompileStatement(*line);
      continue;
    }
    ForParts parts;
    const int count = SplitForLine(text, parts);
    if (count < 2) {
      ok = count == 1 && CompileStatement(*line);
      continue;
    }
    // Initialisation, increment, then the condition, so that the loop's
    // "end" can jump back to the increment and fall into the condition.
    int lead = 3;
    while (lead < parts.end[0] && text[lead] == ' ') lead++;
    parts.start[0] = lead;
    ok = CompileStatement(parts.Piece(text, 0, forPart));
    if (ok && count == 3) ok = NewNode(*m_statements.GetLast(), OP_FOR_START) != nullptr;
    if (ok) ok = CompileStatement(parts.Piece(text, 2, forPart));
    for (int p = 1; ok && (p == 1 || p < count); p = p == 1 ? 3 : p + 1)
      ok = CompileStatement(parts.Piece(text, 1, forPart));
    if (ok && count == 3) {
      _PData* node = NewNode(*m_statements.GetLast(), OP_FOR);
      ok = node != nullptr;
      if (ok) {
        int last = m_statements.GetCount() - 1;
        m_links[size_t(last)] = Link{STATEMENT_FOR, &node->jump1, &node->jump2};
      }
    }
  }
  if (!ok) m_failedLine = i - 1;
  if (ok) ok = LinkBlocks();
  ClearWork();
  return ok;
}

bool PCodeInfo::CompileStatement(const SString& line) {
  if (!m_definition || !m_definition->GetEngine()) return false;
  PEngine* engine = m_definition->GetEngine();
  // The token strings stay: the line overwrites them in place.
  m_classes.RemoveAll();
  SString reason;
  if (!engine->GetLanguage().ParseLine(line, m_tokens, &m_classes, &reason, &m_spareTokens)) return Refuse(reason);
  if (m_tokens.GetCount() == 0 || m_classes.GetCount() != m_tokens.GetCount()) return false;

  int32_t kind = KindOfKeyword(m_tokens.GetAt(0)->GetText());
  if (kind == STATEMENT_RETURN) {
    if (m_member < 0 || m_member >= m_definition->GetMemberCount()) return false;
    PObjectInfo* result = m_definition->GetReturnInfo(m_member);
    bool isVoid = !result || result->GetTypeCode() == TYPE_VOID;
    if (isVoid != (m_tokens.GetCount() == 1))
      return Refuse(isVoid ? "a member without result returns no value"
                           : "the member's result needs a value after return");
  }

  WorkList& work = m_work;
  work.Clear();
  int pos = kind != STATEMENT_PLAIN ? 1 : 0;
  int items = 0;
  m_depth = 0;
  bool ok = CompileExpression(m_tokens, m_classes, pos, work, items);
  // A ")" without its "(" or a second item at the top is no statement.
  if (ok && pos < m_tokens.GetCount()) ok = Refuse("a \")\" without its \"(\"");
  if (ok && items > 1) ok = Refuse("a \",\" outside an argument list");
  if (ok && kind == STATEMENT_CASE)
    ok = (work.GetCount() == 1 && work.GetAt(0)->type == OP_CONSTANT) || Refuse("a case needs a constant");
  if (!ok) return false;

  // The member-access nodes only guided the compilation of the name after
  // them; and/or jumps past them move down with the nodes they skip.
  for (int k = work.GetCount() - 1; k >= 0; k--) {
    if (work.GetAt(k)->type != OP_ACCESS) continue;
    for (int j = 0; j < work.GetCount(); j++) {
      _PData* n = work.GetAt(j);
      if ((n->type == OP_OR || n->type == OP_AND) && n->jump1 > k) n->jump1--;
    }
    work.RemoveAt(k);
  }

  // An elseif is preceded by the jump that leaves the if from the branch
  // before it.
  if (kind == STATEMENT_ELSEIF) {
    NodeList* exit = NewList();
    _PData* jump = exit ? NewNode(*exit, OP_ELSE) : nullptr;
    if (!jump || !AddStatement(exit, STATEMENT_BRANCH_EXIT, jump)) return false;
  }

  _PData* closing = nullptr;
  if (kind != STATEMENT_PLAIN) {
    closing = NewNode(work, kind);
    if (!closing) return false;
  }
  if (kind == OP_DELETE || kind == OP_INTERCEPT) {
    kind = STATEMENT_PLAIN;
    closing = nullptr;
  }

  int32_t depth = 0;
  for (int i = 0; i < work.GetCount(); i++) {
    int32_t t = work.GetAt(i)->type;
    if ((t >= OP_CONSTANT && t <= OP_CALL) || t == OP_NEW) depth++;
  }
  if (depth > m_stackDepth) m_stackDepth = depth;

  NodeList* list = NewList();
  if (!list || !list->SetSize(work.GetCount(), false)) return false;
  for (int i = 0; i < work.GetCount(); i++) list->SetAt(i, work.GetAt(i));
  return AddStatement(list, kind, closing);
}

bool PCodeInfo::Refuse(const SString& reason) {
  if (m_failureReason.GetLength() == 0) m_failureReason = reason;
  return false;
}

bool PCodeInfo::LinkBlocks() {
  SArray<OpenBlock> open;
  SArray<PendingJump> pending;
  int position = 0;
  return MatchBlocks(position, open, pending) && open.GetCount() == 0 &&
         pending.GetCount() == 0;
}

bool PCodeInfo::MatchBlocks(int& position, SArray<OpenBlock>& open,
                            SArray<PendingJump>& pending) {
  if (open.GetCount() > kMaxNesting) return false;
  const int opener = position - 1;
  const int g = open.GetCount() - 1;
  const int32_t levelKind = open.GetCount() ? open.GetLast().kind : 0;
  int lastBranch = -1;
  bool elseSeen = false;
  bool inCase = false;
  bool defaultSeen = false;
  int lastLabel = -1;
  const int count = m_statements.GetCount();

  for (; position < count; position++) {
    const int32_t kind = m_links[size_t(position)].kind;
    int32_t* jump1 = m_links[size_t(position)].jump1;
    int32_t* jump2 = m_links[size_t(position)].jump2;
    if (levelKind == STATEMENT_SWITCH && !inCase && kind != STATEMENT_CASE &&
        kind != STATEMENT_DEFAULT && kind != STATEMENT_END)
      return false;

    switch (kind) {
      case STATEMENT_IF:
      case STATEMENT_WHILE:
      case STATEMENT_FOR:
      case STATEMENT_SWITCH: {
        *jump1 = position + 1;
        pending.Add(PendingJump{position, g + 1});
        open.Add(OpenBlock{kind, position});
        position++;
        if (!MatchBlocks(position, open, pending)) return false;
        open.RemoveLast();
        break;
      }
      case STATEMENT_BRANCH_EXIT:
        if (elseSeen || levelKind != STATEMENT_IF) return false;
        pending.Add(PendingJump{position, g});
        break;
      case STATEMENT_ELSEIF: {
        if (elseSeen || levelKind != STATEMENT_IF) return false;
        *m_links[size_t(lastBranch >= 0 ? lastBranch : opener)].jump2 = position;
        *jump1 = -2;
        pending.Add(PendingJump{position, g});
        lastBranch = position;
        break;
      }
      case STATEMENT_ELSE:
        if (elseSeen || levelKind != STATEMENT_IF) return false;
        *m_links[size_t(lastBranch >= 0 ? lastBranch : opener)].jump2 = position + 1;
        pending.Add(PendingJump{position, g});
        elseSeen = true;
        break;
      case STATEMENT_BREAK: {
        int found = -1;
        for (int d = open.GetCount() - 1; d >= 0 && found < 0; d--) {
          int32_t k = open.GetAt(d).kind;
          if (k == STATEMENT_WHILE || k == STATEMENT_FOR || k == STATEMENT_SWITCH) found = d;
        }
        if (found < 0) return false;
        pending.Add(PendingJump{position, found});
        if (found == g && levelKind == STATEMENT_SWITCH) inCase = false;
        break;
      }
      case STATEMENT_CONTINUE: {
        int found = -1;
        for (int d = open.GetCount() - 1; d >= 0 && found < 0; d--) {
          int32_t k = open.GetAt(d).kind;
          if (k == STATEMENT_WHILE || k == STATEMENT_FOR) found = d;
        }
        if (found < 0) return false;
        const OpenBlock& loop = open.GetAt(found);
        *jump2 = loop.kind == STATEMENT_WHILE ? loop.statement : loop.statement - 1;
        break;
      }
      case STATEMENT_CASE:
      case STATEMENT_DEFAULT: {
        if (levelKind != STATEMENT_SWITCH) return false;
        if (kind == STATEMENT_DEFAULT) {
          if (defaultSeen) return false;
          defaultSeen = true;
        }
        if (lastLabel >= 0) *m_links[size_t(lastLabel)].jump1 = position;
        lastLabel = position;
        inCase = true;
        int body = position + 1;
        while (body < count && (m_links[size_t(body)].kind == STATEMENT_CASE ||
                                m_links[size_t(body)].kind == STATEMENT_DEFAULT))
          body++;
        *jump2 = body;
        break;
      }
      case STATEMENT_END: {
        if (levelKind == 0) return false;
        if (levelKind == STATEMENT_WHILE)
          *jump2 = opener;
        else if (levelKind == STATEMENT_FOR)
          *jump2 = opener - 1;
        else
          *jump2 = position + 1;
        for (int i = pending.GetCount() - 1; i >= 0; i--) {
          const PendingJump& p = pending.GetAt(i);
          if (p.depth != g) continue;
          int32_t* pj1 = m_links[size_t(p.statement)].jump1;
          int32_t* pj2 = m_links[size_t(p.statement)].jump2;
          if (*pj2 == -1) *pj2 = position + 1;
          if (*pj1 == -2) *pj1 = position + 1;
          pending.RemoveAt(i);
        }
        return true;
      }
      case STATEMENT_RETURN:
        *jump1 = count;
        break;
      default:
        break;
    }
  }
  return levelKind == 0;
}
