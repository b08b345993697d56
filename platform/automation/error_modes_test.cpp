#include "platform/automation/error_modes.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/runtime/integer_conversion.h"

namespace automation {
namespace {

void Fail(long number) { Raise(number); }

TEST(ResumeNext, AFailingStepIsSkippedAndTheHandlerGoesOn) {
  std::vector<int> ran;
  ResumeNext step;
  step([&] { ran.push_back(1); });
  step([&] {
    Fail(errors::kApplicationDefined);
    ran.push_back(99);
  });
  step([&] { ran.push_back(3); });
  EXPECT_EQ(ran, (std::vector<int>{1, 3}));
  EXPECT_EQ(step.number(), errors::kApplicationDefined);
}

TEST(ResumeNext, AFailedReadLeavesTheVariableUnchanged) {
  ResumeNext step;
  std::int16_t b1 = 0;
  step([&] { b1 = runtime::ToInt16(40000); });
  EXPECT_EQ(b1, 0);
  EXPECT_EQ(step.number(), errors::kOverflow);
}

TEST(ResumeNext, ATestWhoseEvaluationFailsCountsAsTrue) {
  ResumeNext step;
  EXPECT_TRUE(step.test([] { return true; }));
  EXPECT_FALSE(step.test([] { return false; }));
  EXPECT_EQ(step.number(), 0);
  EXPECT_TRUE(step.test([]() -> bool { Raise(errors::kObjectNotSet); }));
  EXPECT_EQ(step.number(), errors::kObjectNotSet);
}

TEST(ResumeNext, ThePendingErrorStaysUntilCleared) {
  ResumeNext step;
  step([] { Fail(errors::kCannotCreateObject); });
  step([] {});
  EXPECT_EQ(step.number(), errors::kCannotCreateObject);
  EXPECT_FALSE(step.description().empty());
  step.clear();
  EXPECT_EQ(step.number(), 0);
  EXPECT_TRUE(step.description().empty());
}

// A procedure with no handling of its own: its failure ends it and returns to the caller.
void ProcedureWithoutHandling(std::vector<int>& ran) {
  ran.push_back(10);
  Fail(errors::kTypeMismatch);
  ran.push_back(11);
}

TEST(ResumeNext, ACalleeWithoutHandlingReturnsToTheCallerWhichGoesOn) {
  std::vector<int> ran;
  ResumeNext step;
  step([&] { ProcedureWithoutHandling(ran); });
  step([&] { ran.push_back(2); });
  EXPECT_EQ(ran, (std::vector<int>{10, 2}));
}

TEST(StopAtFirstError, TheFirstFailureEndsTheHandlerSilently) {
  std::vector<int> ran;
  EXPECT_FALSE(StopAtFirstError([&] {
    ran.push_back(1);
    Fail(errors::kNoSuchMember);
    ran.push_back(2);
  }));
  EXPECT_EQ(ran, (std::vector<int>{1}));
  EXPECT_TRUE(StopAtFirstError([&] { ran.push_back(3); }));
  EXPECT_EQ(ran, (std::vector<int>{1, 3}));
}

TEST(Steps, TheModeDecidesWhetherAFailureEndsTheProcedure) {
  std::vector<int> ran;
  Steps ignoring(ErrorMode::Ignore);
  ignoring([] { Fail(errors::kApplicationDefined); });
  ignoring([&] { ran.push_back(1); });
  EXPECT_TRUE(ignoring.test([]() -> bool { Raise(errors::kTypeMismatch); }));
  EXPECT_EQ(ran, (std::vector<int>{1}));

  Steps propagating(ErrorMode::Propagate);
  propagating([&] { ran.push_back(2); });
  EXPECT_THROW(propagating([] { Fail(errors::kApplicationDefined); }), Error);
  EXPECT_THROW(propagating.test([]() -> bool { Raise(errors::kTypeMismatch); }), Error);
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST(WithFailurePath, TheFailurePathGetsTheError) {
  long seen = 0;
  WithFailurePath([] { Fail(errors::kSubscriptOutOfRange); }, [&](const Error& e) { seen = e.number(); });
  EXPECT_EQ(seen, errors::kSubscriptOutOfRange);
}

}  // namespace
}  // namespace automation
