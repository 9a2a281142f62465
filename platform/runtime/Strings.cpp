#include "platform/runtime/Strings.h"

#include <algorithm>

#include "platform/runtime/Error.h"

namespace vb {

namespace {
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

long InStr(long start, std::string_view text, std::string_view find) {
  if (start < 1) Raise(err::InvalidCall);
  if (static_cast<size_t>(start) > text.size()) return 0;
  size_t at = text.find(find, static_cast<size_t>(start - 1));
  return at == std::string_view::npos ? 0 : static_cast<long>(at + 1);
}

std::string Left(std::string_view text, long length) {
  if (length < 0) Raise(err::InvalidCall);
  return std::string(text.substr(0, static_cast<size_t>(length)));
}

std::string Right(std::string_view text, long length) {
  if (length < 0) Raise(err::InvalidCall);
  size_t n = std::min(text.size(), static_cast<size_t>(length));
  return std::string(text.substr(text.size() - n));
}

std::string Mid(std::string_view text, long start) {
  if (start < 1) Raise(err::InvalidCall);
  if (static_cast<size_t>(start) > text.size()) return {};
  return std::string(text.substr(static_cast<size_t>(start - 1)));
}

std::string Mid(std::string_view text, long start, long length) {
  if (start < 1 || length < 0) Raise(err::InvalidCall);
  if (static_cast<size_t>(start) > text.size()) return {};
  return std::string(text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length)));
}

std::string LTrim(std::string_view text) {
  size_t i = text.find_first_not_of(' ');
  return i == std::string_view::npos ? std::string() : std::string(text.substr(i));
}

std::string RTrim(std::string_view text) {
  size_t i = text.find_last_not_of(' ');
  return i == std::string_view::npos ? std::string() : std::string(text.substr(0, i + 1));
}

std::string Trim(std::string_view text) { return LTrim(RTrim(text)); }

std::string UCase(std::string_view text) {
  std::string s(text);
  std::transform(s.begin(), s.end(), s.begin(), upper);
  return s;
}

std::string LCase(std::string_view text) {
  std::string s(text);
  std::transform(s.begin(), s.end(), s.begin(), lower);
  return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return upper(x) == upper(y); });
}

}  // namespace vb
