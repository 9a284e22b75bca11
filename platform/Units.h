#pragma once
// Unit initialization and finalization, run in an order derived from declared
// dependencies instead of the order static objects happen to be constructed.
//
// Each layer registers its units from an explicit function called by the
// program (or a test) before InitializeUnits; a unit's initialization runs
// after those of every unit it uses, and finalizations run in reverse.

#include <string>
#include <vector>

struct TUnitInfo {
  std::string Name;
  std::vector<std::string> Uses;
  void (*Initialization)() = nullptr;
  void (*Finalization)() = nullptr;
};

// Throws std::logic_error for a duplicate name or when units are running.
void RegisterUnit(TUnitInfo Unit);

// Runs every registered initialization in dependency order; ties keep the
// order of registration. An unknown dependency or a cycle throws
// std::logic_error before anything runs. When an initialization throws, the
// units already initialized are finalized in reverse and the error propagates.
void InitializeUnits();

// Runs the finalizations of the initialized units in reverse order. A
// finalization that throws does not stop the others; the first error is
// rethrown at the end.
void FinalizeUnits();

bool UnitsInitialized();

// Names of the initialized units in initialization order.
std::vector<std::string> InitializedUnits();

// Forgets every registration (the units must not be running); for tests.
void ClearUnitRegistry();

// Initializes on construction, finalizes on destruction: the program's main
// block runs inside one. A finalization error is rethrown unless the scope is
// being left by another exception, which then wins.
class TUnitsScope {
 public:
  TUnitsScope() { InitializeUnits(); }
  ~TUnitsScope() noexcept(false);
  TUnitsScope(const TUnitsScope&) = delete;
  TUnitsScope& operator=(const TUnitsScope&) = delete;
};
