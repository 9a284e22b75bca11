#pragma once
// Work that must run when a scope ends, however it ends: the "finally" of a
// try block, kept next to the change it undoes.

#include <exception>
#include <utility>

// An exception from the action leaves the scope as any other would, except
// while another one is already on its way out: that one goes on, since a
// second cannot leave a destructor then.
template <class TAction>
class TScopeExit {
 public:
  explicit TScopeExit(TAction action) : FAction(std::move(action)), FExceptions(std::uncaught_exceptions()) {}
  ~TScopeExit() noexcept(false) {
    if (std::uncaught_exceptions() == FExceptions) {
      FAction();
      return;
    }
    try {
      FAction();
    } catch (...) {
    }
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  TAction FAction;
  int FExceptions;
};
