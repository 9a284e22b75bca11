#include "platform/Units.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Log;

template <char Id>
void Init() { Log.push_back(std::string("init ") + Id); }
template <char Id>
void Fini() { Log.push_back(std::string("fini ") + Id); }
void Failing() { throw std::runtime_error("boom"); }

template <char Id>
TUnitInfo Unit(std::vector<std::string> uses = {}) {
  return {std::string(1, Id), std::move(uses), &Init<Id>, &Fini<Id>};
}

class Units : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearUnitRegistry();
    Log.clear();
  }
  void TearDown() override {
    if (UnitsInitialized()) FinalizeUnits();
    ClearUnitRegistry();
  }
};

TEST_F(Units, InitializeInDependencyOrderAndFinalizeInReverse) {
  RegisterUnit(Unit<'C'>({"B", "A"}));
  RegisterUnit(Unit<'A'>());
  RegisterUnit(Unit<'D'>());
  RegisterUnit(Unit<'B'>({"A"}));
  {
    TUnitsScope scope;
    EXPECT_EQ(InitializedUnits(), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_TRUE(UnitsInitialized());
  }
  EXPECT_FALSE(UnitsInitialized());
  EXPECT_EQ(Log, (std::vector<std::string>{"init A", "init B", "init C", "init D", "fini D", "fini C", "fini B",
                                           "fini A"}));
}

TEST_F(Units, UnitsWithoutCallbacksStillOrderTheOthers) {
  RegisterUnit({"Empty", {"A"}, nullptr, nullptr});
  RegisterUnit(Unit<'A'>());
  RegisterUnit(Unit<'B'>({"Empty"}));
  InitializeUnits();
  EXPECT_EQ(InitializedUnits(), (std::vector<std::string>{"A", "Empty", "B"}));
  FinalizeUnits();
  EXPECT_EQ(Log, (std::vector<std::string>{"init A", "init B", "fini B", "fini A"}));
}

TEST_F(Units, BadRegistrationsAreRejectedBeforeAnythingRuns) {
  RegisterUnit(Unit<'A'>({"B"}));
  EXPECT_THROW(RegisterUnit(Unit<'A'>()), std::logic_error);
  RegisterUnit(Unit<'B'>({"C"}));
  RegisterUnit(Unit<'C'>({"A"}));
  EXPECT_THROW(InitializeUnits(), std::logic_error);  // A -> B -> C -> A
  EXPECT_TRUE(Log.empty());
  EXPECT_FALSE(UnitsInitialized());

  ClearUnitRegistry();
  RegisterUnit(Unit<'A'>({"Missing"}));
  EXPECT_THROW(InitializeUnits(), std::logic_error);
  EXPECT_TRUE(Log.empty());
}

TEST_F(Units, FailedInitializationFinalizesWhatRanAndPropagates) {
  RegisterUnit(Unit<'A'>());
  RegisterUnit({"Bad", {"A"}, &Failing, &Fini<'X'>});
  RegisterUnit(Unit<'C'>({"Bad"}));
  EXPECT_THROW(InitializeUnits(), std::runtime_error);
  EXPECT_FALSE(UnitsInitialized());
  EXPECT_EQ(Log, (std::vector<std::string>{"init A", "fini A"}));
}

TEST_F(Units, FailedFinalizationDoesNotStopTheOthers) {
  RegisterUnit(Unit<'A'>());
  RegisterUnit({"Bad", {"A"}, nullptr, &Failing});
  RegisterUnit(Unit<'C'>({"Bad"}));
  InitializeUnits();
  EXPECT_THROW(RegisterUnit(Unit<'D'>()), std::logic_error);
  EXPECT_THROW(InitializeUnits(), std::logic_error);
  EXPECT_THROW(FinalizeUnits(), std::runtime_error);
  EXPECT_FALSE(UnitsInitialized());
  EXPECT_EQ(Log, (std::vector<std::string>{"init A", "init C", "fini C", "fini A"}));
}

}  // namespace
