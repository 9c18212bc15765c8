#include "classes/PObjRectangle2D.h"

#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjVector.h"
#include "core/GeometryFunctions.h"
#include "engine/PObjectDefinition.h"

void PObjRectangle2D::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_MATH);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Rectangle2D");
  PObject::Register(definition);
}

bool PObjRectangle2D::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kFloat = TYPE_FLOAT, kVoid = TYPE_VOID;
  const PParamDecl x(kFloat), vector(PObjVector2D::kTypeCode), rect(kTypeCode);
  return d->AddMember(MEMBER_FUNCTION, COPY, kVoid, {rect}) &&
         d->AddMember(MEMBER_FUNCTION, GET_AREA, kFloat) &&
         d->AddMember(MEMBER_FUNCTION, GET_BOTTOM, kFloat) &&
         d->AddMember(MEMBER_FUNCTION, GET_BOTTOM_LEFT, kVoid, {vector}) &&
         d->AddMember(MEMBER_FUNCTION, GET_BOTTOM_RIGHT, kVoid, {vector}) &&
         d->AddMember(MEMBER_FUNCTION, GET_CENTRE, kVoid, {vector}) &&
         d->AddMember(MEMBER_FUNCTION, GET_HEIGHT, kFloat) &&
         d->AddMember(MEMBER_FUNCTION, GET_X, kFloat) &&
         d->AddMember(MEMBER_FUNCTION, GET_RIGHT, kFloat) &&
         d->AddMember(MEMBER_FUNCTION, GET_SIZE, kVoid, {vector}) &&
         d->AddMember(MEMBER_FUNCTION, GET_Y, kFloat) &&
         d->AddMember(MEMBER_FUNCTION, GET_TOP_LEFT, kVoid, {vector}) &&
         d->AddMember(MEMBER_FUNCTION, GET_TOP_RIGHT, kVoid, {vector}) &&
         d->AddMember(MEMBER_FUNCTION, GET_WIDTH, kFloat) &&
         d->AddMember(MEMBER_FUNCTION, INFLATE, kVoid, {x, x}) &&
         d->AddMember(MEMBER_FUNCTION, IS_EQUAL, TYPE_INTEGER, {rect}) &&
         d->AddMember(MEMBER_FUNCTION, SET, kVoid, {x, x, x, x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_BOTTOM, kVoid, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_HEIGHT, kVoid, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_X, kVoid, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_RIGHT, kVoid, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_Y, kVoid, {x}) &&
         d->AddMember(MEMBER_FUNCTION, SET_WIDTH, kVoid, {x}) &&
         d->AddMember(MEMBER_FUNCTION, LOCATE_POINT, TYPE_INTEGER, {vector}) &&
         d->AddMember(MEMBER_FUNCTION, NORMALIZE, kVoid);
}

PObject* PObjRectangle2D::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjRectangle2D(definition);
}

namespace {

// An answer into a Vector2D argument; nothing when it is null.
bool AnswerInto(PArgs* args, double x, double y) {
  if (PObjVector2D* out = GetArgOfClass<PObjVector2D>(args, 0)) out->Set({x, y});
  return true;
}

}  // namespace

bool PObjRectangle2D::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case COPY:
      if (const PObjRectangle2D* source = GetArgOfClass<PObjRectangle2D>(args, 0))
        Set(source->m_x, source->m_y, source->m_width, source->m_height);
      return true;
    case GET_AREA: return ReturnDouble(result, m_width * m_height);
    case GET_BOTTOM: return ReturnDouble(result, m_height + m_y);
    case GET_BOTTOM_LEFT: return AnswerInto(args, m_x, m_y + m_height);
    case GET_BOTTOM_RIGHT: return AnswerInto(args, m_x + m_width, m_y + m_height);
    case GET_CENTRE: return AnswerInto(args, m_width / 2 + m_x, m_height / 2 + m_y);
    case GET_HEIGHT: return ReturnDouble(result, m_height);
    case GET_X: return ReturnDouble(result, m_x);
    case GET_RIGHT: return ReturnDouble(result, m_width + m_x);
    case GET_SIZE: return AnswerInto(args, m_width, m_height);
    case GET_Y: return ReturnDouble(result, m_y);
    case GET_TOP_LEFT: return AnswerInto(args, m_x, m_y);
    case GET_TOP_RIGHT: return AnswerInto(args, m_x + m_width, m_y);
    case GET_WIDTH: return ReturnDouble(result, m_width);
    case INFLATE: {
      const double dx = GetArgDouble(args, 0), dy = GetArgDouble(args, 1);
      Set(m_x - dx, m_y - dy, dx + dx + m_width, dy + dy + m_height);
      return true;
    }
    case IS_EQUAL: {
      const PObjRectangle2D* other = GetArgOfClass<PObjRectangle2D>(args, 0);
      if (!other) return true;
      return ReturnBool(result, m_x == other->m_x && m_y == other->m_y &&
                                    m_width == other->m_width && m_height == other->m_height);
    }
    case SET:
      Set(GetArgDouble(args, 0), GetArgDouble(args, 1), GetArgDouble(args, 2), GetArgDouble(args, 3));
      return true;
    case SET_BOTTOM: m_height = GetArgDouble(args, 0) - m_y; return true;
    case SET_HEIGHT: m_height = GetArgDouble(args, 0); return true;
    case SET_X: m_x = GetArgDouble(args, 0); return true;
    case SET_RIGHT: m_width = GetArgDouble(args, 0) - m_x; return true;
    case SET_Y: m_y = GetArgDouble(args, 0); return true;
    case SET_WIDTH: m_width = GetArgDouble(args, 0); return true;
    case LOCATE_POINT: {
      const PObjVector2D* point = GetArgOfClass<PObjVector2D>(args, 0);
      if (!point) return true;
      // As it stands, not normalised: a negative extent holds no point.
      const GeoRect rect = {m_x, m_y, m_x + m_width, m_y + m_height};
      return ReturnInt64(result, PointInRectangle(rect, point->Get()));
    }
    case NORMALIZE:
      if (m_width < 0) m_x = m_width + m_x, m_width = -m_width;
      if (m_height < 0) m_y = m_height + m_y, m_height = -m_height;
      return true;
    default: return PObject::Call(member, args, result, caller);
  }
}
