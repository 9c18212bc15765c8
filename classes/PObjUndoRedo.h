// PObjUndoRedo: the script class "UndoRedo", an undo and redo history whose
// steps the program describes and replays itself. The engine keeps only
// each step's text and the position; the owner's handlers record a step
// (into a Value), undo it and redo it.
#pragma once

#include <cstdint>

#include "engine/PObject.h"
#include "files/SUndoRedo.h"

class PObjUndoRedo : public PObject {
 public:
  enum Member : uint16_t {
    ADD = 0,
    ENABLE = 1,
    ENABLE_REDO = 2,
    GET_CURRENT_INDEX = 3,
    GET_COUNT = 4,
    GET_MAXIMUM = 5,
    IS_ENABLED = 6,
    IS_REDO_ENABLED = 7,
    REDO = 8,
    CLEAR = 9,
    SET_MAXIMUM = 10,
    REMOVE_LAST = 11,
    UNDO = 12,
    ON_ADD = 13,   // event (Value data): fill data, 0 keeps the step
    ON_REDO = 14,  // event (String data): 0 when redone
    ON_UNDO = 15,  // event (String data): 0 when undone
  };

  // The history whose hooks ask the owner through events.
  class _PUndoRedo : public SUndoRedo {
   public:
    explicit _PUndoRedo(PObjUndoRedo* object) : m_object(object) {}
    bool OnUndo(_SItem* step) override;
    bool OnRedo(_SItem* step) override;
    bool OnAdd(_SItem* step) override;

   private:
    PObjUndoRedo* m_object;
  };

  explicit PObjUndoRedo(PObjectDefinition* definition) : PObject(definition), m_undoRedo(this) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  SUndoRedo& GetUndoRedo() { return m_undoRedo; }

 private:
  // True when a handler ran for the event and answered 0; no handler
  // counts as a refusal.
  template <class... A>
  bool Agrees(Member event, A... args) {
    SValue result;
    return RaiseEvent(this, event, &result, args...) && result.ToInt64() == 0;
  }

  _PUndoRedo m_undoRedo;
};
