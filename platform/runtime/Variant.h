#pragma once
// The Variant of the BASIC runtime: the value a database field, a registry value or a setting
// hands out. Empty, Null and "" are three different values. Conversions follow the runtime:
// Null converts to nothing (error 94), Empty to 0, "" or False, text that is not a number to
// error 13, out-of-range numbers to error 6.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vb {

// The variant type codes (VarType), which are also what the display formatting keys on.
enum class VarType : int {
  Empty = 0,
  Null = 1,
  Integer = 2,  // 16-bit
  Long = 3,     // 32-bit
  Single = 4,
  Double = 5,
  Currency = 6,  // fixed point, four decimals
  Date = 7,
  String = 8,
  Boolean = 11,
  Byte = 17,
  List = 8200,  // an array of texts (a multi-string registry value)
};

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(bool value) : type_(VarType::Boolean), int_(value ? -1 : 0) {}
  Variant(uint8_t value) : type_(VarType::Byte), int_(value) {}
  Variant(int16_t value) : type_(VarType::Integer), int_(value) {}
  Variant(int32_t value) : type_(VarType::Long), int_(value) {}
  Variant(float value) : type_(VarType::Single), real_(value) {}
  Variant(double value) : type_(VarType::Double), real_(value) {}
  Variant(std::string value) : type_(VarType::String), text_(std::move(value)) {}
  Variant(std::string_view value) : type_(VarType::String), text_(value) {}
  Variant(const char* value) : type_(VarType::String), text_(value ? value : "") {}
  Variant(std::vector<std::string> list) : type_(VarType::List), list_(std::move(list)) {}

  static Variant Null();
  static Variant Date(double oleDate);
  // A currency value; the amount is rounded to four decimals, half to even as the runtime did.
  static Variant Currency(double amount);

  VarType type() const { return type_; }
  bool isEmpty() const { return type_ == VarType::Empty; }
  bool isNull() const { return type_ == VarType::Null; }
  bool isNumber() const;  // a numeric type, Boolean or Date
  const std::vector<std::string>& list() const { return list_; }

  // CStr: Byte, Integer and Long in decimal, Single with 7 and Double with 15 significant
  // digits, Currency with up to 4 decimals, Boolean "True"/"False", Date as the general date,
  // Empty "". Null raises 94.
  std::string toString() const;
  // CDbl, CSng, CLng, CInt, CByte, CBool.
  double toDouble() const;
  float toSingle() const;
  int32_t toLong() const;
  int16_t toInteger() const;
  uint8_t toByte() const;
  bool toBool() const;
  // CDate: numbers are OLE dates, text in the locale's short date form (with an optional time).
  double toDate() const;

  // Comparison of value and type, for tests and caches.
  bool operator==(const Variant& other) const;

 private:
  VarType type_ = VarType::Empty;
  int64_t int_ = 0;  // Boolean, Byte, Integer, Long; Currency in ten-thousandths
  double real_ = 0;  // Single, Double, Date
  std::string text_;
  std::vector<std::string> list_;
};

}  // namespace vb
