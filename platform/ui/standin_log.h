#pragma once
// The scripted-run log: with STANDIN_LOG=FILE every message box, dialog, form shown or closed,
// dump, watched service call and failed script line is appended to FILE as one JSON object per
// line, so that tests outside the process can follow what the program did.

#include <nlohmann/json.hpp>

namespace ui {

using LogEntry = nlohmann::ordered_json;

// Writes {"event":EVENT,"program":NAME, ...fields}; does nothing without STANDIN_LOG.
void LogEvent(const char* event, const LogEntry& fields = LogEntry::object());

}  // namespace ui
