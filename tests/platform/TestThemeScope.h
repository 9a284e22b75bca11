#pragma once
// A test theme current for the length of a scope.

#include "platform/TestTheme.h"

class TInstalledTheme {
 public:
  explicit TInstalledTheme(const TTestTheme& ATheme) { InstallTestTheme(ATheme); }
  ~TInstalledTheme() { RemoveTestTheme(); }
  TInstalledTheme(const TInstalledTheme&) = delete;
  TInstalledTheme& operator=(const TInstalledTheme&) = delete;
};
