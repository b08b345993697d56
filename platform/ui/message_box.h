#pragma once
// MsgBox: text, buttons | icon | default button, title; returns the answer as the platform's
// values. A box without a title of its own shows the program's title.

#include <optional>
#include <string>

namespace ui {

// Buttons.
inline constexpr int kOkOnly = 0, kOkCancel = 1, kAbortRetryIgnore = 2, kYesNoCancel = 3, kYesNo = 4,
                     kRetryCancel = 5;
// Icons.
inline constexpr int kCritical = 16, kQuestion = 32, kExclamation = 48, kInformation = 64;
// Default button.
inline constexpr int kDefaultButton1 = 0, kDefaultButton2 = 256, kDefaultButton3 = 512;

// Answers.
inline constexpr int kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7;

int MsgBox(const std::string& text, int style = kOkOnly, const std::optional<std::string>& title = std::nullopt);

// The answer's name as the log writes it ("OK", "Cancel", "Yes", ...); empty for no answer.
std::string AnswerName(int answer);

}  // namespace ui
