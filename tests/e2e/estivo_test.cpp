// Estivo as a process: its hot keys, a second instance, and its idle processor time.

#include <gtest/gtest.h>

#include <thread>

#include "tests/e2e/e2e_support.h"

namespace e2e {
namespace {

using nlohmann::json;

TEST(Estivo, CtrlBAsksTheDesktopToOpenTheHelpFile) {
  Case c;
  const pid_t estivo = c.Start("Estivo", "run", std::string("key CTRL+B\nkey CTRL+H\n") + kQuit);
  EXPECT_EQ(c.WaitForEnd(estivo), 0);
  const auto log = c.Log("run");
  EXPECT_EQ(Count(log, {{"event", "shell-open"}, {"target", c.programFolder() + "/help.chm"}}), 1);
  EXPECT_EQ(Count(log, {{"event", "script-error"}}), 0);
}

TEST(Estivo, ASecondInstanceCannotTakeTheHotKeysWhichKeepWorkingInTheFirst) {
  Case c;
  // The first waits for a window that never comes, so that the second starts meanwhile.
  const pid_t first = c.Start("Estivo", "first", std::string("wait Form9 4000\nkey CTRL+B\n") + kQuit);
  ASSERT_TRUE(c.WaitForLog("first", kShown));
  const pid_t second = c.Start("Estivo", "second", std::string("key CTRL+B\n") + kQuit);
  EXPECT_EQ(c.WaitForEnd(second), 0);
  EXPECT_EQ(c.WaitForEnd(first), 0);
  const auto one = c.Log("first"), two = c.Log("second");
  EXPECT_EQ(Count(one, {{"event", "hotkey"}, {"registered", true}}), 3);
  EXPECT_EQ(Count(two, {{"event", "hotkey"}, {"registered", false}}), 3);
  EXPECT_EQ(Count(two, kShown), 1) << "the second toolbar is shown all the same";
  EXPECT_EQ(Count(two, {{"event", "shell-open"}}), 0);
  EXPECT_EQ(Count(two, {{"event", "script-error"}, {"line", "key CTRL+B"}}), 1);
  EXPECT_EQ(Count(one, {{"event", "shell-open"}}), 1);
}

TEST(Estivo, AnIdleWorkbenchUsesNoProcessorTime) {
  Case c;
  const pid_t estivo = c.Start("Estivo", "run", "");
  ASSERT_TRUE(c.WaitForLog("run", kShown));
  std::this_thread::sleep_for(1s);  // the start-up's last events
  const double before = Case::ProcessorSeconds(estivo);
  std::this_thread::sleep_for(5s);
  const double idle = Case::ProcessorSeconds(estivo) - before;
  RecordProperty("idle_cpu_seconds_over_5s", std::to_string(idle));
  std::printf("idle processor time over 5 s: %.3f s\n", idle);
  EXPECT_LE(idle, 0.05);
}

}  // namespace
}  // namespace e2e
