#include "classes/PObjMath.h"

#include <cmath>
#include <new>

#include "classes/ClassArgs.h"
#include "classes/PObjVector.h"
#include "classes/PlaneGeometry.h"
#include "core/ExpressionEvaluator.h"
#include "core/GeometryFunctions.h"
#include "core/NumberFunctions.h"
#include "core/NumericFunctions.h"
#include "engine/PObjectDefinition.h"

void PObjMath::Register(PObjectDefinition* definition) {
  definition->SetFactory(New);
  definition->SetCategory(CATEGORY_MATH);
  definition->SetTypeCode(kTypeCode);
  definition->SetName("Math");
  definition->AddConstant("POS_OUT", POINT_OUTSIDE);
  definition->AddConstant("POS_IN", POINT_INSIDE);
  definition->AddConstant("POS_ON", POINT_ON_BORDER);
  PObject::Register(definition);
}

bool PObjMath::Declare(PObjectDefinition* d) {
  PObject::Declare(d);
  const TypeCode kFloat = TYPE_FLOAT, kInt = TYPE_INTEGER, kVoid = TYPE_VOID;
  const PParamDecl x(kFloat), n(kInt), text(TYPE_STRING);
  const PParamDecl v2(PObjVector2D::kTypeCode), v3(PObjVector3D::kTypeCode);
  const PParamDecl from(kFloat, "0.0", 0.0), to(kFloat, "1.0", 1.0), yes(kInt, "true", int32_t(1));
  const PParamDecl zero(kInt, "0", int32_t(0));
  auto function = [d](uint16_t number, TypeCode resultType, std::initializer_list<PParamDecl> params) {
    return d->AddMember(MEMBER_FUNCTION, number, resultType, params);
  };
  return function(ABS, kFloat, {x}) && function(ACOS, kFloat, {x}) &&
         function(ASIN, kFloat, {x}) && function(ATAN, kFloat, {x}) &&
         function(ATAN2, kFloat, {x, x}) && function(EVALUATE, TYPE_STRING, {text}) &&
         function(POLAR_ANGLE, kFloat, {v3}) && function(VECTOR_LENGTH, kFloat, {v3}) &&
         function(AZIMUTH, kFloat, {v3}) && function(COS, kFloat, {x}) &&
         function(DEGREES_TO_RADIANS, kFloat, {x}) && function(EXP, kFloat, {x}) &&
         function(ANGLE_DIFFERENCE, kFloat, {x, x}) && function(DISTANCE, kFloat, {x, x, x, x}) &&
         function(DISTANCE_3D, kFloat, {v3, v3}) &&
         function(SQUARED_DISTANCE, kFloat, {x, x, x, x}) &&
         function(SQUARED_DISTANCE_3D, kFloat, {v3, v3}) && function(BEARING, kFloat, {v2, v2}) &&
         function(INTERPOLATE, kFloat, {x, from, to, yes, yes}) && function(IS_PRIME, kInt, {n}) &&
         function(LERP, kFloat, {x, from, to}) && function(LOG, kFloat, {x}) &&
         function(LOG10, kFloat, {x}) && function(NORMALIZE_ANGLE, kFloat, {x}) &&
         function(NORMALIZE_ANGLE_SIGNED, kFloat, {x}) && function(POW, kFloat, {x, x}) &&
         function(RADIANS_TO_DEGREES, kFloat, {x}) && function(RANDOM, kInt, {n}) &&
         function(ROUND, kFloat, {x, zero, zero}) && function(SEED_RANDOM, kVoid, {}) &&
         function(SIN, kFloat, {x}) && function(SPHERICAL_TO_CARTESIAN, kVoid, {x, x, x, v3}) &&
         function(SQUARE, kFloat, {x}) && function(SQRT, kFloat, {x}) && function(TAN, kFloat, {x});
}

PObject* PObjMath::New(PObjectDefinition* definition) {
  return new (std::nothrow) PObjMath(definition);
}

namespace {

// The library function of a member that maps one double to one double.
double (*UnaryFunction(uint16_t member))(double) {
  switch (member) {
    case PObjMath::ABS: return [](double x) { return std::fabs(x); };
    case PObjMath::ACOS: return [](double x) { return std::acos(x); };
    case PObjMath::ASIN: return [](double x) { return std::asin(x); };
    case PObjMath::ATAN: return [](double x) { return std::atan(x); };
    case PObjMath::COS: return [](double x) { return std::cos(x); };
    case PObjMath::DEGREES_TO_RADIANS: return [](double x) { return x / 360 * kPi * 2; };
    case PObjMath::EXP: return [](double x) { return std::exp(x); };
    case PObjMath::LOG: return [](double x) { return std::log(x); };
    case PObjMath::LOG10: return [](double x) { return std::log10(x); };
    case PObjMath::NORMALIZE_ANGLE: return NormalizeAngle;
    case PObjMath::NORMALIZE_ANGLE_SIGNED: return NormalizeAngleSigned;
    case PObjMath::RADIANS_TO_DEGREES: return [](double x) { return x / kTwoPi * 360; };
    case PObjMath::SIN: return [](double x) { return std::sin(x); };
    case PObjMath::SQUARE: return [](double x) { return x * x; };
    case PObjMath::SQRT: return [](double x) { return std::sqrt(x); };
    case PObjMath::TAN: return [](double x) { return std::tan(x); };
    default: return nullptr;
  }
}

// The members on one or two Vector3D arguments; false when the member
// gives nothing for them.
bool VectorAnswer(uint16_t member, const PArgs* args, double& answer) {
  const PObjVector3D* a = GetArgOfClass<PObjVector3D>(args, 0);
  if (!a) return false;
  const GeoVector& v = a->Get();
  switch (member) {
    case PObjMath::VECTOR_LENGTH:
      // The length needs no division by x, so unlike the angles it has an
      // answer for every vector.
      answer = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
      return true;
    case PObjMath::POLAR_ANGLE:
    case PObjMath::AZIMUTH: {
      double r, azimuth, polar;
      if (!CartesianToSpherical(v, r, azimuth, polar)) return false;
      answer = member == PObjMath::AZIMUTH ? azimuth : polar;
      return true;
    }
    default: {
      const PObjVector3D* b = GetArgOfClass<PObjVector3D>(args, 1);
      if (!b) return false;
      answer = member == PObjMath::DISTANCE_3D ? PointDistance3D(v, b->Get())
                                               : SquaredDistance3D(v, b->Get());
      return true;
    }
  }
}

}  // namespace

bool PObjMath::Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) {
  if (double (*f)(double) = UnaryFunction(member)) return ReturnDouble(result, f(GetArgDouble(args, 0)));
  const auto x = [args](int i) { return GetArgDouble(args, i); };
  switch (member) {
    case ATAN2: return ReturnDouble(result, std::atan2(x(0), x(1)));
    case EVALUATE: return ReturnString(result, EvaluateExpression(GetArgString(args, 0)).GetText());
    case POLAR_ANGLE:
    case VECTOR_LENGTH:
    case AZIMUTH:
    case DISTANCE_3D:
    case SQUARED_DISTANCE_3D: {
      double answer;
      return VectorAnswer(member, args, answer) ? ReturnDouble(result, answer) : true;
    }
    case ANGLE_DIFFERENCE: return ReturnDouble(result, AngleDifference(x(0), x(1)));
    case DISTANCE: return ReturnDouble(result, PointDistance(x(0), x(1), x(2), x(3)));
    case SQUARED_DISTANCE: return ReturnDouble(result, SquaredDistance({x(0), x(1)}, {x(2), x(3)}));
    case BEARING: {
      const PObjVector2D* a = GetArgOfClass<PObjVector2D>(args, 0);
      const PObjVector2D* b = GetArgOfClass<PObjVector2D>(args, 1);
      return a && b ? ReturnDouble(result, GetBearing(a->Get(), b->Get())) : true;
    }
    case INTERPOLATE:
      return ReturnDouble(result, Interpolate(x(0), x(1), x(2), GetArgBool(args, 3), GetArgBool(args, 4)));
    case IS_PRIME: return ReturnBool(result, IsPrime(GetArgLow32(args, 0)));
    case LERP: return ReturnDouble(result, x(1) + (x(2) - x(1)) * x(0));
    case POW: return ReturnDouble(result, std::pow(x(0), x(1)));
    case RANDOM: return ReturnInt64(result, Random(uint32_t(GetArgLow32(args, 0))));
    case ROUND:
      return ReturnDouble(result, RoundDecimals(x(0), GetArgLow32(args, 2), GetArgLow32(args, 1)));
    case SEED_RANDOM: SeedRandom(); return true;
    case SPHERICAL_TO_CARTESIAN: {
      PObjVector3D* out = GetArgOfClass<PObjVector3D>(args, 3);
      if (!out) return true;
      GeoVector point;
      SphericalToCartesian(x(0), x(1), x(2), point);
      out->Set(point);
      return true;
    }
    default: return PObject::Call(member, args, result, caller);
  }
}
