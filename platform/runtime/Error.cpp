#include "platform/runtime/Error.h"

#include <deque>
#include <mutex>
#include <utility>

namespace vb {

std::string ErrorText(long number) {
  switch (number) {
    case 5:
      return "Invalid procedure call or argument";
    case 6:
      return "Overflow";
    case 7:
      return "Out of memory";
    case 9:
      return "Subscript out of range";
    case 11:
      return "Division by zero";
    case 13:
      return "Type mismatch";
    case 51:
      return "Internal error";
    case 53:
      return "File not found";
    case 75:
      return "Path/File access error";
    case 76:
      return "Path not found";
    case 91:
      return "Object variable or With block variable not set";
    case 94:
      return "Invalid use of Null";
    case 3021:
      return "Either BOF or EOF is True, or the current record has been deleted. "
             "Requested operation requires a current record.";
    case 3265:
      return "Item cannot be found in the collection corresponding to the requested name or "
             "ordinal.";
    case 3704:
      return "Operation is not allowed when the object is closed.";
    case 3709:
      return "The connection cannot be used to perform this operation. It is either closed or "
             "invalid in this context.";
    default:
      return "Application-defined or object-defined error";
  }
}

void Raise(long number) { throw Error{number, ErrorText(number)}; }

void Raise(long number, std::string description) { throw Error{number, std::move(description)}; }

namespace {

std::mutex gOnceOnlyMutex;
std::deque<Error> gOnceOnly;       // the most recent last
constexpr size_t kOnceOnlyKept = 256;  // the oldest forgotten first

// Whether the error is registered; under gOnceOnlyMutex.
bool Registered(const Error& error) {
  for (const Error& e : gOnceOnly)
    if (e.number == error.number && e.description == error.description) return true;
  return false;
}

}  // namespace

void RegisterOnceOnly(const Error& error) {
  std::lock_guard<std::mutex> lock(gOnceOnlyMutex);
  if (Registered(error)) return;
  if (gOnceOnly.size() >= kOnceOnlyKept) gOnceOnly.pop_front();
  gOnceOnly.push_back(error);
}

bool IsOnceOnly(const Error& error) {
  std::lock_guard<std::mutex> lock(gOnceOnlyMutex);
  return Registered(error);
}

}  // namespace vb
