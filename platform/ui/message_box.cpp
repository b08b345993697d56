#include "platform/ui/message_box.h"

#include <array>
#include <vector>

#include <QMessageBox>
#include <QPushButton>

#include "platform/ui/control.h"
#include "platform/ui/program.h"
#include "platform/ui/scripted_answers.h"
#include "platform/ui/standin_log.h"

namespace ui {

namespace {

struct ButtonSet {
  const char* name;
  std::vector<int> answers;  // left to right
  int escape;                // 0: Escape does nothing
};

const ButtonSet& Buttons(int style) {
  static const std::array<ButtonSet, 6> sets = {{
      {"OK", {kOk}, kOk},
      {"OK/Cancel", {kOk, kCancel}, kCancel},
      {"Abort/Retry/Ignore", {kAbort, kRetry, kIgnore}, 0},
      {"Yes/No/Cancel", {kYes, kNo, kCancel}, kCancel},
      {"Yes/No", {kYes, kNo}, kNo},
      {"Retry/Cancel", {kRetry, kCancel}, kCancel},
  }};
  const int index = style & 0xF;
  return sets[index < static_cast<int>(sets.size()) ? index : 0];
}

struct Icon {
  int style;
  const char* name;
  QMessageBox::Icon qt;
};
constexpr std::array<Icon, 5> kIcons = {{
    {0, "none", QMessageBox::NoIcon},
    {kCritical, "critical", QMessageBox::Critical},
    {kQuestion, "question", QMessageBox::Question},
    {kExclamation, "exclamation", QMessageBox::Warning},
    {kInformation, "information", QMessageBox::Information},
}};

const Icon& IconOf(int style) {
  for (const Icon& icon : kIcons)
    if (icon.style == (style & 0x70)) return icon;
  return kIcons[0];
}

const char* ButtonText(int answer) {
  switch (answer) {
    case kOk: return "确定";
    case kCancel: return "取消";
    case kAbort: return "中止";
    case kRetry: return "重试";
    case kIgnore: return "忽略";
    case kYes: return "是";
    case kNo: return "否";
    default: return "";
  }
}

int AskPerson(const std::string& text, const std::string& title, const ButtonSet& buttons, const Icon& icon,
              int defaultAnswer) {
  QMessageBox box;
  box.setWindowTitle(Q(title));
  box.setTextFormat(Qt::PlainText);
  box.setText(Q(text));
  box.setIcon(icon.qt);
  std::vector<std::pair<QPushButton*, int>> pushButtons;
  // ActionRole throughout, so that Qt does not pick an Escape button of its own.
  for (int answer : buttons.answers) {
    QPushButton* button = box.addButton(QString::fromUtf8(ButtonText(answer)), QMessageBox::ActionRole);
    pushButtons.emplace_back(button, answer);
    if (answer == defaultAnswer) box.setDefaultButton(button);
    if (answer == buttons.escape) box.setEscapeButton(button);
  }
  box.exec();
  for (const auto& [button, answer] : pushButtons)
    if (box.clickedButton() == button) return answer;
  return buttons.escape;
}

}  // namespace

std::string AnswerName(int answer) {
  switch (answer) {
    case kOk: return "OK";
    case kCancel: return "Cancel";
    case kAbort: return "Abort";
    case kRetry: return "Retry";
    case kIgnore: return "Ignore";
    case kYes: return "Yes";
    case kNo: return "No";
    default: return "";
  }
}

int MsgBox(const std::string& text, int style, const std::optional<std::string>& title) {
  const ButtonSet& buttons = Buttons(style);
  const Icon& icon = IconOf(style);
  const std::size_t defaultIndex = static_cast<std::size_t>((style & 0xF00) / kDefaultButton2);
  const int defaultAnswer = buttons.answers[defaultIndex < buttons.answers.size() ? defaultIndex : 0];
  const std::string shownTitle = title ? *title : ProgramTitle();

  int answer = defaultAnswer;
  bool scripted = false;
  if (ScriptedRun()) {
    if (const std::optional<int> queued = TakeBoxAnswer()) {
      if (std::find(buttons.answers.begin(), buttons.answers.end(), *queued) != buttons.answers.end()) {
        answer = *queued;
        scripted = true;
      } else {
        LogEvent("script-error", {{"line", "answer " + AnswerName(*queued)},
                                  {"why", std::string("the message box has no such button: ") + buttons.name}});
      }
    }
  } else {
    answer = AskPerson(text, shownTitle, buttons, icon, defaultAnswer);
  }
  LogEvent("msgbox", {{"title", shownTitle},
                      {"text", text},
                      {"icon", icon.name},
                      {"buttons", buttons.name},
                      {"default", AnswerName(defaultAnswer)},
                      {"answer", AnswerName(answer)},
                      {"scripted", scripted}});
  return answer;
}

}  // namespace ui
