#pragma once
// A set of enumeration values (or small integers) as a fixed bit array, with
// the union, difference and intersection operators of the framework's sets.

#include <array>
#include <cstdint>
#include <initializer_list>

template <typename E, unsigned Bits = 64>
class TSet {
  static constexpr unsigned Words = (Bits + 63) / 64;
  std::array<uint64_t, Words> FBits{};

  static constexpr unsigned Index(E e) { return static_cast<unsigned>(e); }

 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) Include(e);
  }

  // Every value from First to Last, both included.
  static constexpr TSet Range(E First, E Last) {
    TSet s;
    for (unsigned i = Index(First); i <= Index(Last); ++i) s.Include(static_cast<E>(i));
    return s;
  }

  constexpr bool Contains(E e) const {
    const unsigned i = Index(e);
    return i < Bits && (FBits[i / 64] >> (i % 64) & 1) != 0;
  }
  // Values outside the set's range cannot be members; including one is a no-op.
  constexpr TSet& Include(E e) {
    const unsigned i = Index(e);
    if (i < Bits) FBits[i / 64] |= uint64_t{1} << (i % 64);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    const unsigned i = Index(e);
    if (i < Bits) FBits[i / 64] &= ~(uint64_t{1} << (i % 64));
    return *this;
  }
  constexpr bool Empty() const {
    for (uint64_t w : FBits)
      if (w) return false;
    return true;
  }
  constexpr unsigned Count() const {
    unsigned n = 0;
    for (uint64_t w : FBits) n += static_cast<unsigned>(__builtin_popcountll(w));
    return n;
  }
  // True when every member of this set is in Other.
  constexpr bool SubsetOf(const TSet& Other) const { return (*this - Other).Empty(); }

  constexpr TSet& operator+=(const TSet& o) {
    for (unsigned i = 0; i < Words; ++i) FBits[i] |= o.FBits[i];
    return *this;
  }
  constexpr TSet& operator-=(const TSet& o) {
    for (unsigned i = 0; i < Words; ++i) FBits[i] &= ~o.FBits[i];
    return *this;
  }
  constexpr TSet& operator*=(const TSet& o) {
    for (unsigned i = 0; i < Words; ++i) FBits[i] &= o.FBits[i];
    return *this;
  }
  friend constexpr TSet operator+(TSet a, const TSet& b) { return a += b; }
  friend constexpr TSet operator-(TSet a, const TSet& b) { return a -= b; }
  friend constexpr TSet operator*(TSet a, const TSet& b) { return a *= b; }
  friend constexpr bool operator==(const TSet&, const TSet&) = default;

  // The raw bits of the first word, for sets stored as integers.
  constexpr uint64_t ToBits() const { return FBits[0]; }
  static constexpr TSet FromBits(uint64_t bits) {
    TSet s;
    s.FBits[0] = Bits >= 64 ? bits : bits & ((uint64_t{1} << Bits) - 1);
    return s;
  }
};
