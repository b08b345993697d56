#pragma once
// Answers a scripted run queues for the next message box and the next open-file dialog. While a
// script runs no box or dialog waits for a person: one that no queued answer serves takes its
// default answer.

#include <optional>
#include <string>

namespace ui {

bool ScriptedRun();
void SetScriptedRun(bool scripted);

void QueueBoxAnswer(int answer);
std::optional<int> TakeBoxAnswer();

// A chosen file, or nullopt for cancel.
void QueueFileAnswer(std::optional<std::string> path);
std::optional<std::optional<std::string>> TakeFileAnswer();

}  // namespace ui
