#include "classes/PObjUndoRedo.h"

#include <new>

#include "classes/PObjValue.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"

void PObjUndoRedo::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SERVICES);
  definition->SetTypeCode(MakeTypeCode(ORIGIN_BUILTIN, 'U', 'N', 'D'));
  definition->SetName("UndoRedo");
  PObject::Register(definition);
}

bool PObjUndoRedo::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const PParamDecl on(TYPE_INTEGER, "true", int32_t(1));
  const PParamDecl maximum(TYPE_INTEGER, "32", int32_t(32));
  return d->AddMember(MEMBER_FUNCTION, ADD, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, ENABLE, TYPE_VOID, {on}) &&
         d->AddMember(MEMBER_FUNCTION, ENABLE_REDO, TYPE_VOID, {on}) &&
         d->AddMember(MEMBER_FUNCTION, GET_CURRENT_INDEX, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, GET_COUNT, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, GET_MAXIMUM, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, IS_ENABLED, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, IS_REDO_ENABLED, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, REDO, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, CLEAR, TYPE_VOID) &&
         d->AddMember(MEMBER_FUNCTION, SET_MAXIMUM, TYPE_VOID, {maximum}) &&
         d->AddMember(MEMBER_FUNCTION, REMOVE_LAST, TYPE_INTEGER) &&
         d->AddMember(MEMBER_FUNCTION, UNDO, TYPE_INTEGER) &&
         d->AddMember(MEMBER_EVENT, ON_ADD, TYPE_INTEGER, {PParamDecl(TYPE_VALUE)}) &&
         d->AddMember(MEMBER_EVENT, ON_REDO, TYPE_INTEGER, {PParamDecl(TYPE_STRING)}) &&
         d->AddMember(MEMBER_EVENT, ON_UNDO, TYPE_INTEGER, {PParamDecl(TYPE_STRING)});
}

PObject* PObjUndoRedo::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjUndoRedo(definition);
}

bool PObjUndoRedo::_PUndoRedo::OnUndo(_SItem* step) {
  return m_object->Agrees(ON_UNDO, step->second.GetText());
}

bool PObjUndoRedo::_PUndoRedo::OnRedo(_SItem* step) {
  return m_object->Agrees(ON_REDO, step->second.GetText());
}

// The handler fills a fresh Value; the step keeps its content as text.
bool PObjUndoRedo::_PUndoRedo::OnAdd(_SItem* step) {
  PEngine* engine = m_object->GetEngine();
  PObjValue* data = engine ? engine->NewValue() : nullptr;
  if (!data) return false;
  data->GetValue().SetString(step->second.GetText());
  bool kept = m_object->Agrees(ON_ADD, static_cast<PObject*>(data));
  if (kept) step->second = data->GetValue().ToString().GetText();
  PObject::DeleteObject(data);
  return kept;
}

bool PObjUndoRedo::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  SUndoRedo& list = m_undoRedo;
  switch (member) {
    case ADD: return ReturnBool(result, list.Add());
    case ENABLE: list.SetEnabled(GetArgBool(args, 0)); return true;
    case ENABLE_REDO: list.SetRedoEnabled(GetArgBool(args, 0)); return true;
    case GET_CURRENT_INDEX: return ReturnInt64(result, list.GetCurrentIndex());
    case GET_COUNT: return ReturnInt64(result, list.GetCount());
    case GET_MAXIMUM: return ReturnInt64(result, list.GetMaxDepth());
    case IS_ENABLED: return ReturnBool(result, list.IsEnabled());
    case IS_REDO_ENABLED: return ReturnBool(result, list.IsRedoEnabled());
    case REDO: return ReturnBool(result, list.Redo());
    case CLEAR: list.Clear(); return true;
    case SET_MAXIMUM: list.SetMaxDepth(GetArgInt32(args, 0)); return true;
    case REMOVE_LAST: return ReturnBool(result, list.RemoveLast());
    case UNDO: return ReturnBool(result, list.Undo());
    default: return PObject::Call(member, args, result, caller);
  }
}
