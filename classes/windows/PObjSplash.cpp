#include "classes/windows/PObjSplash.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjColor.h"
#include "classes/PObjFile.h"
#include "classes/PObjPoint.h"
#include "engine/PObjectDefinition.h"

void PObjSplash::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_GRAPHICS);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Splash");
  definition->AddConstant("MODE_NORMAL", SSplash::kModeTimed);
  definition->AddConstant("MODE_AUTO", SSplash::kModeClick);
  definition->AddConstant("MODE_STATIC", SSplash::kModeNoFocus);
  PObject::Register(definition);
}

bool PObjSplash::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER;
  const PParamDecl file(PObjFile::kTypeCode), noColour(PObjColor::kTypeCode, nullptr);
  const PParamDecl noPoint(PObjPoint::kTypeCode, nullptr);
  return d->AddMember(MEMBER_FUNCTION, LOAD, kInt, {file, noColour, PParamDecl(TYPE_INTEGER, "false", 0)}) &&
         d->AddMember(MEMBER_FUNCTION, LOAD_ALPHA, kInt, {file}) &&
         d->AddMember(MEMBER_FUNCTION, IS_SHOWING, kInt) &&
         d->AddMember(MEMBER_FUNCTION, SHOW, kInt,
                      {noPoint, PParamDecl(TYPE_INTEGER, "Splash.MODE_NORMAL", SSplash::kModeTimed),
                       PParamDecl(TYPE_INTEGER, "0", 0)}) &&
         d->AddMember(MEMBER_FUNCTION, CLOSE, TYPE_VOID);
}

PObject* PObjSplash::New(PObjectDefinition* definition) { return new (std::nothrow) PObjSplash(definition); }

bool PObjSplash::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case LOAD:
    case LOAD_ALPHA: {
      SFile* stream = PObjFile::GetArgStream(args, 0);
      if (!stream) return true;
      if (member == LOAD_ALPHA) return ReturnBool(result, m_splash.SetAlphaImageFromStream(stream));
      const PObjColor* key = GetArgOfClass<PObjColor>(args, 1);
      return ReturnBool(result,
                        m_splash.SetImageFromStream(stream, key ? key->GetColorRef() : kColorNone, GetArgBool(args, 2)));
    }
    case IS_SHOWING: {
      const SSplash::_SWnd* window = m_splash.GetWindow();
      return ReturnBool(result, window && window->GetHwnd());
    }
    case SHOW: {
      const PObjPoint* point = GetArgOfClass<PObjPoint>(args, 0);
      POINT at;
      if (point) at = {point->GetFirst(), point->GetSecond()};
      // A duration below 0 counts as none.
      const int32_t duration = GetArgLow32(args, 2);
      return ReturnBool(result, m_splash.Show(point ? &at : nullptr, nullptr, GetArgLow32(args, 1),
                                              duration > 0 ? uint32_t(duration) : 0, SSplash::kEffectNone));
    }
    case CLOSE: m_splash.Close(); return true;
    default: return PObject::Call(member, args, result, caller);
  }
}
