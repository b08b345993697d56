#pragma once
// Scripted runs: with STANDIN_SCRIPT=FILE the program performs the lines of FILE in order, once
// its first form is shown, each when the program is idle (the handlers of the line before have
// returned, or wait for messages in a loop of their own); the answers it begins with are queued
// at the start, for a program that asks before it shows a window. Lines:
//
//   # a comment
//   answer yes|no|ok|cancel        file PATH | file cancel
//   click FORM.CONTROL             toolbar FORM.TOOLBAR KEY         menu FORM.ARRAY INDEX
//   type FORM.CONTROL TEXT         choose FORM.CONTROL INDEX        step FORM.CONTROL up|down
//   wheel FORM.CONTROL up|down     key CTRL+B                       dump FORM.CONTROL
//   close FORM                     wait FORM [MILLISECONDS]         clear FORM.CONTROL
//   grid FORM.CONTROL ROW [COL]    edit FORM.CONTROL ROW COL TEXT
//
// "type" appends to what a box holds; "clear" empties it first, as select-all and delete (one
// change). "grid" puts a grid's current cell on ROW and COL (counted from 1, as bookmarks are;
// COL stays as it is when left out) as a click would; "edit" types TEXT into that cell and leaves
// it. A grid's "dump" logs its row count, current row, first visible row and the current texts.
//
// A line that cannot be performed is logged as "script-error" with the reason; the next follows.

#include <memory>
#include <string>
#include <vector>

class QTimer;

namespace ui {

class Form;

class Script {
 public:
  explicit Script(std::vector<std::string> lines);
  ~Script();
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;

  // The script STANDIN_SCRIPT names, or none.
  static std::unique_ptr<Script> FromEnvironment();

  // A form was shown: the first one starts the script; a "wait" for it goes on.
  static void FormShown(Form& form);
  // A message loop is about to block: the line under way waits, so the next may run.
  static void LoopWaiting();

 private:
  void ScheduleNext();
  void PerformNext();
  void PerformLine(const std::string& line);
  void Perform(const std::string& line);
  void Continue();

  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  bool started_ = false;
  int performing_ = 0;
  bool scheduled_ = false;
  std::string waitingFor_;
  std::unique_ptr<QTimer> waitTimer_;
};

}  // namespace ui
