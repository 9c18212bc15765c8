#include "classes/PObjRectangle.h"

#include <new>
#include <utility>

#include "classes/ClassArgs.h"
#include "classes/PObjPoint.h"
#include "core/NumericFunctions.h"
#include "engine/PObjectDefinition.h"

void PObjRectangle::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_MATH);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Rectangle");
  PObject::Register(definition);
}

bool PObjRectangle::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kInt = TYPE_INTEGER, kVoid = TYPE_VOID;
  const PParamDecl n(kInt), point(PObjPoint::kTypeCode), size(PObjSize::kTypeCode), rect(kTypeCode);
  return d->AddMember(MEMBER_FUNCTION, COPY, kVoid, {rect}) &&
         d->AddMember(MEMBER_FUNCTION, GET_AREA, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_BOTTOM, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_BOTTOM_LEFT, kVoid, {point}) &&
         d->AddMember(MEMBER_FUNCTION, GET_BOTTOM_RIGHT, kVoid, {point}) &&
         d->AddMember(MEMBER_FUNCTION, GET_CENTRE, kVoid, {point}) &&
         d->AddMember(MEMBER_FUNCTION, GET_HEIGHT, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_LEFT, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_RIGHT, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_SIZE, kVoid, {size}) &&
         d->AddMember(MEMBER_FUNCTION, GET_TOP, kInt) &&
         d->AddMember(MEMBER_FUNCTION, GET_TOP_LEFT, kVoid, {point}) &&
         d->AddMember(MEMBER_FUNCTION, GET_TOP_RIGHT, kVoid, {point}) &&
         d->AddMember(MEMBER_FUNCTION, GET_WIDTH, kInt) &&
         d->AddMember(MEMBER_FUNCTION, INFLATE, kVoid, {n, n}) &&
         d->AddMember(MEMBER_FUNCTION, IS_EQUAL, kInt, {rect}) &&
         d->AddMember(MEMBER_FUNCTION, CONTAINS, kInt, {n, n}) &&
         d->AddMember(MEMBER_FUNCTION, SET, kVoid, {n, n, n, n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_BOTTOM, kVoid, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_HEIGHT, kVoid, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_LEFT, kVoid, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_RIGHT, kVoid, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_TOP, kVoid, {n}) &&
         d->AddMember(MEMBER_FUNCTION, SET_WIDTH, kVoid, {n}) &&
         d->AddMember(MEMBER_FUNCTION, NORMALIZE, kVoid);
}

PObject* PObjRectangle::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjRectangle(definition);
}

namespace {

// Two's complement arithmetic in 32 bits, done unsigned so that no signed
// overflow happens on the way.
int32_t Add32(int32_t a, int32_t b) { return int32_t(uint32_t(a) + uint32_t(b)); }
int32_t Sub32(int32_t a, int32_t b) { return int32_t(uint32_t(a) - uint32_t(b)); }
int32_t Mul32(int32_t a, int32_t b) { return int32_t(uint32_t(a) * uint32_t(b)); }

// An answer into a Point or Size argument; nothing when it is null.
template <class T>
bool AnswerInto(PArgs* args, int32_t first, int32_t second) {
  if (T* out = GetArgOfClass<T>(args, 0)) out->Set(first, second);
  return true;
}

}  // namespace

bool PObjRectangle::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  switch (member) {
    case COPY:
      if (const PObjRectangle* source = GetArgOfClass<PObjRectangle>(args, 0))
        Set(source->m_left, source->m_top, source->m_right, source->m_bottom);
      return true;
    case GET_AREA:
      return ReturnInt64(result, Mul32(Sub32(m_right, m_left), Sub32(m_bottom, m_top)));
    case GET_BOTTOM: return ReturnInt64(result, m_bottom);
    case GET_BOTTOM_LEFT: return AnswerInto<PObjPoint>(args, m_left, m_bottom);
    case GET_BOTTOM_RIGHT: return AnswerInto<PObjPoint>(args, m_right, m_bottom);
    case GET_CENTRE:
      return AnswerInto<PObjPoint>(args, Add32(m_left, m_right) / 2, Add32(m_top, m_bottom) / 2);
    case GET_HEIGHT: return ReturnInt64(result, AbsInt(Sub32(m_bottom, m_top)));
    case GET_LEFT: return ReturnInt64(result, m_left);
    case GET_RIGHT: return ReturnInt64(result, m_right);
    case GET_SIZE:
      return AnswerInto<PObjSize>(args, Sub32(m_right, m_left), Sub32(m_bottom, m_top));
    case GET_TOP: return ReturnInt64(result, m_top);
    case GET_TOP_LEFT: return AnswerInto<PObjPoint>(args, m_left, m_top);
    case GET_TOP_RIGHT: return AnswerInto<PObjPoint>(args, m_right, m_top);
    case GET_WIDTH: return ReturnInt64(result, AbsInt(Sub32(m_right, m_left)));
    case INFLATE: {
      const int32_t dx = GetArgLow32(args, 0), dy = GetArgLow32(args, 1);
      Set(Sub32(m_left, dx), Sub32(m_top, dy), Add32(m_right, dx), Add32(m_bottom, dy));
      return true;
    }
    case IS_EQUAL: {
      const PObjRectangle* other = GetArgOfClass<PObjRectangle>(args, 0);
      if (!other) return true;
      return ReturnBool(result, m_left == other->m_left && m_top == other->m_top &&
                                    m_right == other->m_right && m_bottom == other->m_bottom);
    }
    case CONTAINS: {
      const int32_t x = GetArgLow32(args, 0), y = GetArgLow32(args, 1);
      return ReturnBool(result, m_left <= x && x < m_right && m_top <= y && y < m_bottom);
    }
    case SET: {
      const int32_t left = GetArgLow32(args, 0), top = GetArgLow32(args, 1);
      Set(left, top, Add32(left, GetArgLow32(args, 2)), Add32(top, GetArgLow32(args, 3)));
      return true;
    }
    case SET_BOTTOM: m_bottom = GetArgLow32(args, 0); return true;
    case SET_HEIGHT: m_bottom = Add32(m_top, GetArgLow32(args, 0)); return true;
    case SET_LEFT: m_left = GetArgLow32(args, 0); return true;
    case SET_RIGHT: m_right = GetArgLow32(args, 0); return true;
    case SET_TOP: m_top = GetArgLow32(args, 0); return true;
    case SET_WIDTH: m_right = Add32(m_left, GetArgLow32(args, 0)); return true;
    case NORMALIZE:
      if (m_right < m_left) std::swap(m_left, m_right);
      if (m_bottom < m_top) std::swap(m_top, m_bottom);
      return true;
    default: return PObject::Call(member, args, result, caller);
  }
}
