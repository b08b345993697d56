#include "platform/ui/script.h"

#include <charconv>
#include <cstdlib>
#include <fstream>

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QTimer>
#include <QWheelEvent>

#include "platform/automation/error.h"
#include "platform/ui/control.h"
#include "platform/ui/form.h"
#include "platform/ui/hot_keys.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_loop.h"
#include "platform/ui/scripted_answers.h"
#include "platform/ui/services.h"
#include "platform/ui/standin_log.h"
#include "platform/ui/toolbar.h"

namespace ui {

namespace {

Script* g_active = nullptr;
constexpr int kDefaultWaitMs = 10000;

// The first word of text, and what follows it after one blank.
std::pair<std::string, std::string> Word(const std::string& text) {
  const auto blank = text.find(' ');
  if (blank == std::string::npos) return {text, {}};
  return {text.substr(0, blank), text.substr(blank + 1)};
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

int Number(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty())
    throw ScriptError("not a number: " + text);
  return value;
}

bool UpOrDown(const std::string& word) {
  if (word == "up") return true;
  if (word == "down") return false;
  throw ScriptError("expected up or down, not " + word);
}

Form& LoadedForm(const std::string& name) {
  Form* form = FindLoadedForm(name);
  if (form == nullptr) throw ScriptError(name + " is not loaded");
  return *form;
}

// What a person could act on: a control of a form that is shown.
Control& Target(const std::string& path, bool mustBeShown) {
  const auto dot = path.find('.');
  if (dot == std::string::npos) throw ScriptError("expected FORM.CONTROL, not " + path);
  Form& form = LoadedForm(path.substr(0, dot));
  if (mustBeShown && !form.Visible()) throw ScriptError(form.name() + " is not shown");
  Control* control = form.control(path.substr(dot + 1));
  if (control == nullptr) throw ScriptError(path + " does not exist");
  return *control;
}

// One wheel notch over the control's visible part; a wheel loop of the control takes it at once.
void TurnWheel(Control& control, bool up) {
  QWidget* widget = control.widget();
  if (widget == nullptr) throw ScriptError(control.name() + " has no window to turn the wheel over");
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) widget = area->viewport();
  const QPointF centre = QRectF(widget->rect()).center();
  QWheelEvent notch(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, up ? 120 : -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(widget, &notch);
}

// Leading blanks and the line end go; a typed text keeps blanks of its own at its end.
std::string Cleaned(std::string text) {
  if (!text.empty() && text.back() == '\r') text.pop_back();
  return text.substr(std::min(text.size(), text.find_first_not_of(" \t")));
}

// Comments and the lines that only queue an answer for the next box or dialog.
bool QueuesOnly(const std::string& line) {
  const std::string text = Cleaned(line);
  return text.empty() || text[0] == '#' || text.rfind("answer ", 0) == 0 || text.rfind("file ", 0) == 0;
}

void Answer(const std::string& word) {
  static const std::pair<const char*, int> answers[] = {{"yes", kYes}, {"no", kNo}, {"ok", kOk}, {"cancel", kCancel}};
  for (const auto& [name, answer] : answers) {
    if (word == name) {
      QueueBoxAnswer(answer);
      return;
    }
  }
  throw ScriptError("expected yes, no, ok or cancel, not " + word);
}

}  // namespace

Script::Script(std::vector<std::string> lines) : lines_(std::move(lines)), waitTimer_(std::make_unique<QTimer>()) {
  g_active = this;
  SetScriptedRun(true);
  // A program may ask before it shows any window: the answers a script begins with are queued at
  // once, since they wait for their box whatever is shown.
  while (next_ < lines_.size() && QueuesOnly(lines_[next_])) PerformLine(lines_[next_++]);
  waitTimer_->setSingleShot(true);
  QObject::connect(waitTimer_.get(), &QTimer::timeout, [this] {
    LogEvent("script-error", {{"line", lines_[next_ - 1]}, {"why", waitingFor_ + " was not shown in time"}});
    Continue();
  });
}

Script::~Script() {
  if (g_active == this) g_active = nullptr;
  SetScriptedRun(false);
}

std::unique_ptr<Script> Script::FromEnvironment() {
  const char* path = std::getenv("STANDIN_SCRIPT");
  if (path == nullptr || *path == '\0') return nullptr;
  std::ifstream file(path);
  if (!file) {
    LogEvent("script-error", {{"line", ""}, {"why", std::string("cannot read the script ") + path}});
    return nullptr;
  }
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return std::make_unique<Script>(std::move(lines));
}

void Script::FormShown(Form& form) {
  Script* script = g_active;
  if (script == nullptr) return;
  if (!script->started_) {
    script->started_ = true;
    script->ScheduleNext();
  } else if (!script->waitingFor_.empty() && script->waitingFor_ == form.name()) {
    script->waitTimer_->stop();
    script->Continue();
  }
}

void Script::LoopWaiting() {
  Script* script = g_active;
  if (script != nullptr && script->performing_ > 0 && script->waitingFor_.empty()) script->ScheduleNext();
}

void Script::Continue() {
  waitingFor_.clear();
  ScheduleNext();
}

void Script::ScheduleNext() {
  if (scheduled_ || next_ >= lines_.size()) return;
  scheduled_ = true;
  QTimer::singleShot(0, QCoreApplication::instance(), [this] {
    scheduled_ = false;
    PerformNext();
  });
}

void Script::PerformNext() {
  if (next_ >= lines_.size()) return;
  if (MessagesWaiting()) {  // a loop has yet to take what the line before handed it
    ScheduleNext();
    return;
  }
  ++performing_;
  PerformLine(lines_[next_++]);
  --performing_;
  if (waitingFor_.empty()) ScheduleNext();
}

void Script::PerformLine(const std::string& line) {
  try {
    Perform(Cleaned(line));
  } catch (const ScriptError& e) {
    LogEvent("script-error", {{"line", line}, {"why", e.what()}});
  } catch (const automation::Error& e) {
    LogEvent("script-error", {{"line", line}, {"why", e.description()}});
  }
}

void Script::Perform(const std::string& line) {
  if (line.empty() || line[0] == '#') return;
  const auto [command, whole] = Word(line);
  const std::string rest = Trim(whole);
  const auto [target, argument] = Word(rest);
  if (command == "answer") {
    Answer(rest);
  } else if (command == "file") {
    if (rest.empty()) throw ScriptError("expected a path or cancel");
    QueueFileAnswer(rest == "cancel" ? std::nullopt : std::optional<std::string>(rest));
  } else if (command == "click") {
    Target(rest, true).ScriptClick();
  } else if (command == "toolbar") {
    auto* toolbar = dynamic_cast<Toolbar*>(&Target(target, true));
    if (toolbar == nullptr) throw ScriptError(target + " is not a toolbar");
    toolbar->ScriptPress(Trim(argument));
  } else if (command == "menu") {
    auto* menu = dynamic_cast<MenuArray*>(&Target(target, true));
    if (menu == nullptr) throw ScriptError(target + " is not a menu");
    menu->ScriptChoose(Number(Trim(argument)));
  } else if (command == "type") {
    Target(target, true).ScriptType(Word(whole).second);
  } else if (command == "clear") {
    Target(rest, true).ScriptClear();
  } else if (command == "grid") {
    const auto [row, column] = Word(Trim(argument));
    Target(target, true).ScriptGoTo(Number(row), column.empty() ? 0 : Number(Trim(column)));
  } else if (command == "edit") {
    const auto [row, more] = Word(Trim(argument));
    const auto [column, text] = Word(more);
    Target(target, true).ScriptEdit(Number(row), Number(column), text);
  } else if (command == "choose") {
    Target(target, true).ScriptChoose(Number(Trim(argument)));
  } else if (command == "step") {
    Target(target, true).ScriptStep(UpOrDown(Trim(argument)));
  } else if (command == "wheel") {
    TurnWheel(Target(target, true), UpOrDown(Trim(argument)));
  } else if (command == "key") {
    int modifiers = 0, key = 0;
    if (!ParseHotKey(rest, modifiers, key)) throw ScriptError("not a key combination: " + rest);
    if (!Use<HotKeys>().Press(modifiers, key)) throw ScriptError(rest + " is not a registered hot key");
  } else if (command == "dump") {
    Control& control = Target(rest, false);
    LogEntry entry = {{"form", control.form().name()}, {"control", control.name()}};
    entry.update(control.Dump());
    LogEvent("dump", entry);
  } else if (command == "close") {
    Form& form = LoadedForm(rest);
    if (!form.Visible()) throw ScriptError(rest + " is not shown");
    form.window().close();
  } else if (command == "wait") {
    Form* form = FindLoadedForm(target);
    if (form != nullptr && form->Visible()) return;
    waitingFor_ = target;
    waitTimer_->start(argument.empty() ? kDefaultWaitMs : Number(Trim(argument)));
  } else {
    throw ScriptError("unknown command " + command);
  }
}

}  // namespace ui
