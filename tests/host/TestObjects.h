#pragma once

#include <vector>

#include "host/Objects.h"

// Writes its id into a shared log when destroyed.
class TTracked : public TObject {
 public:
  TTracked(std::vector<int>& Log, int Id) : FLog(Log), FId(Id) {}
  ~TTracked() override { FLog.push_back(FId); }

 private:
  std::vector<int>& FLog;
  int FId;
};
