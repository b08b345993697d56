#pragma once
// A program of the system: the Qt application under it, its title, its folder, its scripted run,
// and its end. A program ends when its last form is unloaded and its handlers have returned.
//
//   int main(int argc, char** argv) {
//     ui::Program program(argc, argv, "Refrella", "房地产报告刷新");
//     return program.Run([] { ui::Default<Form2>().Show(); });
//   }

#include <functional>
#include <memory>
#include <string>

class QApplication;
class QEventLoop;
class QIcon;

namespace ui {

class Script;

class Program {
 public:
  // The name identifies the program in the log and names its icon; the title is what message boxes
  // without a title of their own show. The program speaks Chinese (UseChineseLocale).
  // STANDIN_SCRIPT, when set, is read here (an unreadable file is logged).
  Program(int& argc, char** argv, std::string name, std::string title);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Runs the entry (Sub Main, or showing the start-up form), then serves the forms until none is
  // left. Returns the process's exit code.
  int Run(const std::function<void()>& entry);

 private:
  std::unique_ptr<QApplication> application_;
  std::unique_ptr<Script> script_;
  std::unique_ptr<QEventLoop> loop_;
};

// The running program's title (App.Title) and the folder of its executable (App.Path).
const std::string& ProgramTitle();
void SetProgramTitle(std::string title);
std::string ProgramFolder();
// The icon of a program, embedded with it as :/icons/program_NAME.svg (qorvane_icons); every
// window without an icon of its own shows it. Empty when the program embeds none.
QIcon ProgramIcon(const std::string& name);

// Ends the process at once (the End statement): nothing further runs, no form is asked.
[[noreturn]] void EndProcess();

// Called when the last loaded form goes.
void LastFormUnloaded();

}  // namespace ui
