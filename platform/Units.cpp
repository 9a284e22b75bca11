#include "platform/Units.h"

#include <exception>
#include <stdexcept>
#include <unordered_map>

namespace {

struct TRegistry {
  std::vector<TUnitInfo> Units;
  std::vector<const TUnitInfo*> Running;  // in initialization order
  bool Initialized = false;
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

// Depth-first order over the uses graph, visiting units in registration order.
std::vector<const TUnitInfo*> ResolveOrder(const std::vector<TUnitInfo>& units) {
  std::unordered_map<std::string, const TUnitInfo*> byName;
  for (const TUnitInfo& unit : units) byName.emplace(unit.Name, &unit);

  enum class TMark { None, Visiting, Done };
  std::unordered_map<const TUnitInfo*, TMark> marks;
  std::vector<const TUnitInfo*> order;
  order.reserve(units.size());

  auto visit = [&](auto&& self, const TUnitInfo* unit, const std::string& path) -> void {
    TMark& mark = marks[unit];
    if (mark == TMark::Done) return;
    if (mark == TMark::Visiting)
      throw std::logic_error("Circular unit reference: " + path + " -> " + unit->Name);
    mark = TMark::Visiting;
    for (const std::string& used : unit->Uses) {
      auto it = byName.find(used);
      if (it == byName.end())
        throw std::logic_error("Unit " + unit->Name + " uses unknown unit " + used);
      self(self, it->second, path.empty() ? unit->Name : path + " -> " + unit->Name);
    }
    marks[unit] = TMark::Done;
    order.push_back(unit);
  };
  for (const TUnitInfo& unit : units) visit(visit, &unit, "");
  return order;
}

}  // namespace

void RegisterUnit(TUnitInfo Unit) {
  TRegistry& registry = Registry();
  if (registry.Initialized)
    throw std::logic_error("Unit " + Unit.Name + " registered after initialization");
  for (const TUnitInfo& unit : registry.Units)
    if (unit.Name == Unit.Name) throw std::logic_error("Duplicate unit " + Unit.Name);
  registry.Units.push_back(std::move(Unit));
}

void InitializeUnits() {
  TRegistry& registry = Registry();
  if (registry.Initialized) throw std::logic_error("Units are already initialized");
  const std::vector<const TUnitInfo*> order = ResolveOrder(registry.Units);
  registry.Initialized = true;
  try {
    for (const TUnitInfo* unit : order) {
      if (unit->Initialization) unit->Initialization();
      registry.Running.push_back(unit);
    }
  } catch (...) {
    try {
      FinalizeUnits();
    } catch (...) {
      // The initialization error is the one worth reporting.
    }
    throw;
  }
}

void FinalizeUnits() {
  TRegistry& registry = Registry();
  std::exception_ptr firstError;
  while (!registry.Running.empty()) {
    const TUnitInfo* unit = registry.Running.back();
    registry.Running.pop_back();
    try {
      if (unit->Finalization) unit->Finalization();
    } catch (...) {
      if (!firstError) firstError = std::current_exception();
    }
  }
  registry.Initialized = false;
  if (firstError) std::rethrow_exception(firstError);
}

bool UnitsInitialized() { return Registry().Initialized; }

std::vector<std::string> InitializedUnits() {
  std::vector<std::string> names;
  for (const TUnitInfo* unit : Registry().Running) names.push_back(unit->Name);
  return names;
}

void ClearUnitRegistry() {
  TRegistry& registry = Registry();
  if (registry.Initialized) throw std::logic_error("Units are running");
  registry.Units.clear();
}

TUnitsScope::~TUnitsScope() noexcept(false) {
  if (std::uncaught_exceptions() > 0) {
    try {
      FinalizeUnits();
    } catch (...) {
    }
  } else {
    FinalizeUnits();
  }
}
