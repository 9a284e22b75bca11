#pragma once
// The heap's high-water mark over a stretch of code: the most bytes it had
// allocated at once beyond what it had at the start, counted by the address
// sanitizer's allocation hooks (the tests are built with it).

#include <atomic>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define COUNTDOWN_HEAP_HOOKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define COUNTDOWN_HEAP_HOOKS 1
#endif
#endif

#ifdef COUNTDOWN_HEAP_HOOKS
// The sanitizer runtimes have these; not every compiler ships their header.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*Malloc)(const volatile void*, size_t),
                                                         void (*Free)(const volatile void*));
extern "C" size_t __sanitizer_get_allocated_size(const volatile void* Pointer);
#endif

class THeapHighWater {
 public:
  // Whether this build can count; without it Peak stays 0.
  static constexpr bool Available() {
#ifdef COUNTDOWN_HEAP_HOOKS
    return true;
#else
    return false;
#endif
  }

  // Counts from here until destroyed; one at a time.
  THeapHighWater() {
    TState& s = State();
#ifdef COUNTDOWN_HEAP_HOOKS
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(&Allocated, &Freed) != 0;
    (void)installed;
#endif
    s.Current = 0;
    s.Peak = 0;
    s.Counting = true;
  }
  ~THeapHighWater() { State().Counting = false; }
  THeapHighWater(const THeapHighWater&) = delete;
  THeapHighWater& operator=(const THeapHighWater&) = delete;

  size_t Peak() const { return static_cast<size_t>(State().Peak.load()); }

 private:
  struct TState {
    std::atomic<bool> Counting{false};
    std::atomic<long long> Current{0};
    std::atomic<long long> Peak{0};
  };
  static TState& State() {
    static TState state;
    return state;
  }

#ifdef COUNTDOWN_HEAP_HOOKS
  static void Allocated(const volatile void*, size_t Size) {
    TState& s = State();
    if (!s.Counting) return;
    const long long now = s.Current += static_cast<long long>(Size);
    long long peak = s.Peak.load();
    while (now > peak && !s.Peak.compare_exchange_weak(peak, now)) {
    }
  }
  static void Freed(const volatile void* Pointer) {
    TState& s = State();
    if (s.Counting) s.Current -= static_cast<long long>(__sanitizer_get_allocated_size(Pointer));
  }
#endif
};
