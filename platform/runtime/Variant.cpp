#include "platform/runtime/Variant.h"

#include <cmath>
#include <cstdlib>

#include "platform/runtime/Clock.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Number.h"
#include "platform/runtime/Strings.h"

namespace vb {

Variant Variant::Null() {
  Variant v;
  v.type_ = VarType::Null;
  return v;
}

Variant Variant::Date(double oleDate) {
  Variant v;
  v.type_ = VarType::Date;
  v.real_ = oleDate;
  return v;
}

Variant Variant::Currency(double amount) {
  double scaled = std::nearbyint(amount * 10000.0);
  if (!std::isfinite(scaled) || std::fabs(scaled) > 9.2e18) Raise(err::Overflow);
  Variant v;
  v.type_ = VarType::Currency;
  v.int_ = static_cast<int64_t>(scaled);
  return v;
}

bool Variant::isNumber() const {
  switch (type_) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
    case VarType::Boolean:
    case VarType::Byte:
      return true;
    default:
      return false;
  }
}

std::string Variant::toString() const {
  switch (type_) {
    case VarType::Empty:
      return {};
    case VarType::Null:
      Raise(err::InvalidUseOfNull);
    case VarType::Boolean:
      return int_ ? "True" : "False";
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      return std::to_string(int_);
    case VarType::Single:
      return CStr(real_, 7);
    case VarType::Double:
      return CStr(real_, 15);
    case VarType::Currency:
      return CStr(static_cast<double>(int_) / 10000.0, 19);
    case VarType::Date:
      return GeneralDate(real_);
    case VarType::String:
      return text_;
    case VarType::List:
      Raise(err::TypeMismatch);
  }
  Raise(err::TypeMismatch);
}

double Variant::toDouble() const {
  switch (type_) {
    case VarType::Empty:
      return 0;
    case VarType::Null:
      Raise(err::InvalidUseOfNull);
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      return static_cast<double>(int_);
    case VarType::Currency:
      return static_cast<double>(int_) / 10000.0;
    case VarType::Single:
    case VarType::Double:
    case VarType::Date:
      return real_;
    case VarType::String: {
      double v = 0;
      if (!TryParseNumber(text_, v)) Raise(err::TypeMismatch);
      return v;
    }
    case VarType::List:
      Raise(err::TypeMismatch);
  }
  Raise(err::TypeMismatch);
}

float Variant::toSingle() const { return CSng(toDouble()); }
int32_t Variant::toLong() const { return CLng(toDouble()); }
int16_t Variant::toInteger() const { return CInt(toDouble()); }
uint8_t Variant::toByte() const { return CByte(toDouble()); }

bool Variant::toBool() const {
  if (type_ == VarType::String) {
    std::string t = Trim(text_);
    if (EqualsNoCase(t, "True")) return true;
    if (EqualsNoCase(t, "False")) return false;
    double v = 0;
    if (!TryParseNumber(t, v)) Raise(err::TypeMismatch);
    return v != 0;
  }
  return toDouble() != 0;
}

double Variant::toDate() const {
  if (type_ == VarType::String) {
    double d = 0;
    if (TryParseDate(text_, d)) return d;
    if (TryParseNumber(text_, d)) return d;
    Raise(err::TypeMismatch);
  }
  return toDouble();
}

bool Variant::operator==(const Variant& o) const {
  return type_ == o.type_ && int_ == o.int_ && real_ == o.real_ && text_ == o.text_ &&
         list_ == o.list_;
}

}  // namespace vb
