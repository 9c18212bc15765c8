// PObjUniString: the script class "UniString", a UTF-16 text (SUniString).
// It is also the form in which every UTF-16 text crosses a member call or an
// event.
#pragma once

#include "core/SUniString.h"
#include "engine/PObject.h"

class PObjUniString : public PObject {
 public:
  // The text is never without a buffer.
  explicit PObjUniString(PObjectDefinition* definition) : PObject(definition) {
    m_value.SetText(u"");
  }

  static void Register(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);

  // Never null.
  const UniChar* GetText() const { return m_value.GetText(); }
  // Null gives "".
  void SetText(const UniChar* text) { m_value.SetText(text ? text : u""); }
  SUniString& GetString() { return m_value; }

 private:
  SUniString m_value;
};
