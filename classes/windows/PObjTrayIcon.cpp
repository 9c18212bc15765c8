#include "classes/windows/PObjTrayIcon.h"

#include <new>

#include "classes/PObjFile.h"
#include "classes/windows/PObjDialog.h"
#include "engine/PEngine.h"
#include "engine/PObjectDefinition.h"
#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "window/ControlNotify.h"
#include "window/SImage.h"

LRESULT PObjTrayIcon::_PWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == ControlNotifyMessage(kControlClassTrayIcon, 0) && wparam && lparam) {
    const SWnd* tray = reinterpret_cast<const SWnd*>(wparam);
    const auto* record = reinterpret_cast<const ControlMouseRecord*>(lparam);
    if (PObject* object = tray->GetScriptObject())
      PObject::RaiseEvent(object, ON_MOUSE, nullptr, uint32_t(record->code), record->x, record->y,
                          record->screenX, record->screenY);
    return 0;
  }
  return SWnd::WindowProc(message, wparam, lparam);
}

PObjTrayIcon::PObjTrayIcon(PObjectDefinition* definition) : PObject(definition), m_self(this) {
  m_messages.CreateHidden(nullptr);
}

PObjTrayIcon::~PObjTrayIcon() { DestroyTray(); }

void PObjTrayIcon::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_SERVICES);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("TrayIcon");
  PObject::Register(definition);
}

bool PObjTrayIcon::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kVoid = TYPE_VOID;
  const PParamDecl integer(TYPE_INTEGER), text(TYPE_STRING), file(PObjFile::kTypeCode);
  const PParamDecl dialog(PObjDialog::kTypeCode);
  return d->AddMember(MEMBER_FUNCTION, DESTROY, kVoid) &&
         d->AddMember(MEMBER_FUNCTION, GET_TIP, TYPE_STRING) &&
         d->AddMember(MEMBER_FUNCTION, SET_ICON_FILE, kInt, {file}) &&
         d->AddMember(MEMBER_FUNCTION, SET_ICON_PATH, kInt, {text}) &&
         d->AddMember(MEMBER_FUNCTION, SET_ICON_RESOURCE, kInt, {text}) &&
         d->AddMember(MEMBER_FUNCTION, CREATE, kInt, {dialog}) &&
         d->AddMember(MEMBER_FUNCTION, SET_TIP, kVoid, {text}) &&
         d->AddMember(MEMBER_FUNCTION, SHOW, kVoid, {PParamDecl(TYPE_INTEGER, "true", 1)}) &&
         d->AddMember(MEMBER_EVENT, ON_MOUSE, kVoid, {integer, integer, integer, integer, integer});
}

PObject* PObjTrayIcon::New(PObjectDefinition* definition) { return new (std::nothrow) PObjTrayIcon(definition); }

bool PObjTrayIcon::Release() {
  DestroyTray();
  return PObject::Release();
}

void PObjTrayIcon::DestroyTray() {
  // Destroying the window removes the icon from the notification area.
  m_tray.Destroy();
  m_self = this;
}

bool PObjTrayIcon::SetIconFromStream(SFile* stream) {
  SImage picture;
  if (!picture.LoadFromStream(stream, -1)) return false;
  HICON icon = picture.CreateIcon();
  if (!icon) return false;
  m_tray.SetIcon(icon);  // the window keeps a copy
  DestroyIcon(icon);
  return true;
}

bool PObjTrayIcon::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (member >= MEMBER_COUNT) return PObject::Call(member, args, result, caller);
  if (member == CREATE) {
    if (!m_tray.GetHwnd()) {
      if (!m_tray.Create(m_messages.GetHwnd(), nullptr, nullptr, false)) return true;
      m_tray.SetScriptObject(m_self);
    }
    return ReturnBool(result, true);
  }
  if (!m_tray.GetHwnd()) return true;
  switch (member) {
    case DESTROY: DestroyTray(); return true;
    case GET_TIP: return ReturnString(result, m_tray.GetText().GetText());
    case SET_ICON_FILE: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream || !SetIconFromStream(stream)) return true;
      return ReturnBool(result, true);
    }
    case SET_ICON_PATH: {
      SFilePath file;
      if (!file.Open(GetArgString(args, 0), false, false, true) || !SetIconFromStream(&file)) return true;
      return ReturnBool(result, true);
    }
    case SET_ICON_RESOURCE: {
      SFileMem stream;
      if (!GetEngine()->LoadResource(&stream, GetArgString(args, 0), RESOURCE_IMAGE) || !SetIconFromStream(&stream))
        return true;
      return ReturnBool(result, true);
    }
    case SET_TIP: m_tray.SetText(GetArgString(args, 0)); return true;
    case SHOW: m_tray.Show(GetArgBool(args, 0)); return true;
    default: return true;
  }
}
