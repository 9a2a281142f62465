#pragma once
// An immutable string shared between its copies: one pointer wide, empty without any heap block,
// copied by counting. Entities hold their names and texts this way: a drawing's thousands of
// entities on a handful of layers keep one copy of each name, and a copied entity copies no
// characters. It reads as a const std::string (conversions, comparisons and the usual read-only
// members); assigning a new value replaces the shared block.
#include <atomic>
#include <compare>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace dxf {

class SharedText {
 public:
  SharedText() noexcept = default;
  SharedText(std::string_view s) : rep_(s.empty() ? nullptr : new Rep(std::string(s))) {}
  SharedText(const char* s) : SharedText(std::string_view(s)) {}
  SharedText(const std::string& s) : SharedText(std::string_view(s)) {}
  SharedText(std::string&& s) : rep_(s.empty() ? nullptr : new Rep(std::move(s))) {}
  SharedText(const SharedText& o) noexcept : rep_(o.rep_) {
    if (rep_ && !rep_->lasting) rep_->refs.fetch_add(1, std::memory_order_relaxed);
  }
  // A text that lives as long as the program (the defaults every entity starts with): copies of
  // it are not counted.
  static SharedText Lasting(std::string_view s) {
    SharedText t(s);
    if (t.rep_) t.rep_->lasting = true;
    return t;
  }
  SharedText(SharedText&& o) noexcept : rep_(std::exchange(o.rep_, nullptr)) {}
  SharedText& operator=(const SharedText& o) noexcept {
    SharedText copy(o);
    std::swap(rep_, copy.rep_);
    return *this;
  }
  SharedText& operator=(SharedText&& o) noexcept {
    std::swap(rep_, o.rep_);
    return *this;
  }
  SharedText& operator=(std::string_view s) { return *this = SharedText(s); }
  SharedText& operator=(const char* s) { return *this = SharedText(s); }
  SharedText& operator=(const std::string& s) { return *this = SharedText(s); }
  SharedText& operator=(std::string&& s) { return *this = SharedText(std::move(s)); }
  ~SharedText() {
    if (rep_ && !rep_->lasting && rep_->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
      delete rep_;
    }
  }

  const std::string& str() const noexcept { return rep_ ? rep_->s : Empty(); }
  operator const std::string&() const noexcept { return str(); }
  operator std::string_view() const noexcept { return str(); }

  bool empty() const noexcept { return rep_ == nullptr || rep_->s.empty(); }
  size_t size() const noexcept { return str().size(); }
  size_t length() const noexcept { return str().size(); }
  const char* c_str() const noexcept { return str().c_str(); }
  const char* data() const noexcept { return str().data(); }
  auto begin() const noexcept { return str().begin(); }
  auto end() const noexcept { return str().end(); }
  char front() const { return str().front(); }
  char back() const { return str().back(); }
  char operator[](size_t i) const { return str()[i]; }
  template <class... A>
  size_t find(A&&... a) const {
    return str().find(std::forward<A>(a)...);
  }
  template <class... A>
  size_t rfind(A&&... a) const {
    return str().rfind(std::forward<A>(a)...);
  }
  std::string substr(size_t pos = 0, size_t n = std::string::npos) const {
    return str().substr(pos, n);
  }
  bool starts_with(std::string_view s) const noexcept { return str().starts_with(s); }
  // Whether both share one block (a cheap test before comparing characters).
  bool SameBlock(const SharedText& o) const noexcept { return rep_ == o.rep_; }

  friend bool operator==(const SharedText& a, const SharedText& b) noexcept {
    return a.rep_ == b.rep_ || a.str() == b.str();
  }
  friend bool operator==(const SharedText& a, std::string_view b) noexcept {
    return std::string_view(a.str()) == b;
  }
  friend bool operator==(const SharedText& a, const std::string& b) noexcept {
    return a.str() == b;
  }
  friend bool operator==(const SharedText& a, const char* b) noexcept {
    return std::string_view(a.str()) == b;
  }
  friend std::strong_ordering operator<=>(const SharedText& a, const SharedText& b) noexcept {
    return std::string_view(a.str()) <=> std::string_view(b.str());
  }
  friend std::strong_ordering operator<=>(const SharedText& a, std::string_view b) noexcept {
    return std::string_view(a.str()) <=> b;
  }
  friend std::string operator+(const SharedText& a, std::string_view b) {
    return std::string(a.str()).append(b);
  }
  friend std::string operator+(std::string_view a, const SharedText& b) {
    return std::string(a).append(b.str());
  }
  friend std::string operator+(const SharedText& a, const char* b) {
    return std::string(a.str()).append(b);
  }
  friend std::string operator+(const char* a, const SharedText& b) {
    return std::string(a).append(b.str());
  }
  friend std::string operator+(const SharedText& a, const std::string& b) { return a.str() + b; }
  friend std::string operator+(const std::string& a, const SharedText& b) { return a + b.str(); }

  friend std::ostream& operator<<(std::ostream& o, const SharedText& t) { return o << t.str(); }

 private:
  struct Rep {
    explicit Rep(std::string&& text) : s(std::move(text)) {}
    std::atomic<long> refs{1};
    bool lasting = false;  // never freed, never counted
    std::string s;
  };
  static const std::string& Empty() noexcept {
    static const std::string empty;
    return empty;
  }
  Rep* rep_ = nullptr;
};

}  // namespace dxf
