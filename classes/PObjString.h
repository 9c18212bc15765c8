// PObjString: the script class "String", an 8-bit text (SString). It is also
// the form in which every 8-bit text crosses a member call or an event.
#pragma once

#include "core/SString.h"
#include "engine/PObject.h"

class PObjString : public PObject {
 public:
  // The text is never without a buffer.
  explicit PObjString(PObjectDefinition* definition) : PObject(definition) { m_value.SetText(""); }

  static void Register(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);

  // Never null.
  const char* GetText() const { return m_value.GetText(); }
  // Null gives "".
  void SetText(const char* text) { m_value.SetText(text); }
  SString& GetString() { return m_value; }

 private:
  SString m_value;
};
