#include "platform/ui/scripted_answers.h"

#include <deque>

namespace ui {

namespace {
struct Answers {
  bool scripted = false;
  std::deque<int> boxes;
  std::deque<std::optional<std::string>> files;
};
Answers& State() {
  static Answers answers;
  return answers;
}
template <class T>
std::optional<T> Take(std::deque<T>& queue) {
  if (queue.empty()) return std::nullopt;
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}
}  // namespace

bool ScriptedRun() { return State().scripted; }
void SetScriptedRun(bool scripted) { State().scripted = scripted; }
void QueueBoxAnswer(int answer) { State().boxes.push_back(answer); }
std::optional<int> TakeBoxAnswer() { return Take(State().boxes); }
void QueueFileAnswer(std::optional<std::string> path) { State().files.push_back(std::move(path)); }
std::optional<std::optional<std::string>> TakeFileAnswer() { return Take(State().files); }

}  // namespace ui
