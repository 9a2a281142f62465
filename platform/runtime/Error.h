#pragma once
// Run-time errors with the Windows numbers and texts. The runtime throws vb::Error; the trap
// guard (Trap.h) catches it, reports it through the common handler and goes on.
#include <string>

namespace vb {

struct Error {
  long number = 0;
  std::string description;
};

// The standard description of a run-time error number ("Type mismatch" for 13); an unknown
// number gives "Application-defined or object-defined error".
std::string ErrorText(long number);

// Throws vb::Error with the number and its standard text (or the given description).
[[noreturn]] void Raise(long number);
[[noreturn]] void Raise(long number, std::string description);

// Failures of an input that is not tried again: an Access file whose reader crashed or did not
// finish is remembered, and every later read of it, by whatever path, fails at once with the
// same error. The code that raises one registers it (its number and text); the common handler
// reports a registered failure the first time only.
void RegisterOnceOnly(const Error& error);
bool IsOnceOnly(const Error& error);

// The error numbers the program raises by name.
namespace err {
constexpr long InvalidCall = 5;
constexpr long Overflow = 6;
constexpr long OutOfMemory = 7;
constexpr long SubscriptOutOfRange = 9;
constexpr long DivisionByZero = 11;
constexpr long TypeMismatch = 13;
constexpr long InternalError = 51;
constexpr long FileNotFound = 53;
constexpr long PathFileAccess = 75;
constexpr long PathNotFound = 76;
constexpr long ObjectNotSet = 91;
constexpr long InvalidUseOfNull = 94;
constexpr long NoCurrentRecord = 3021;
constexpr long ItemNotFound = 3265;
constexpr long ObjectClosed = 3704;
constexpr long ConnectionUnusable = 3709;
}  // namespace err

}  // namespace vb
