// SIdentifiants: the names shown to users for the framework's cursor types
// and for the platform's system colours, paired with their numbers.
//
// Entry i of a name array belongs to entry i of the number array beside it.
// The colour selector lists the colour names in table order, so the order is
// part of what users see. The tables are filled once by the constructor and
// never change.
#pragma once

#include <cstdint>

#include "core/SArray.h"
#include "core/SString.h"
#include "core/SStringArray.h"

class SIdentifiants {
 public:
  SIdentifiants();
  virtual ~SIdentifiants();
  SIdentifiants(const SIdentifiants&) = delete;
  SIdentifiants& operator=(const SIdentifiants&) = delete;

  // Cursor names and their SCursor types.
  const SArray<int32_t>& GetCursorTypes() const { return m_cursorTypes; }
  const SStringArray& GetCursorNames() const { return m_cursorNames; }
  // System colour names and their platform indexes (GetSysColor's COLOR_ values).
  const SArray<int32_t>& GetColorIndexes() const { return m_colorIndexes; }
  const SStringArray& GetColorNames() const { return m_colorNames; }
  // "" outside the table.
  SString GetColorName(int i) const { return m_colorNames.GetString(i); }

 private:
  SArray<int32_t> m_cursorTypes;
  SStringArray m_cursorNames;
  SArray<int32_t> m_colorIndexes;
  SStringArray m_colorNames;
};
