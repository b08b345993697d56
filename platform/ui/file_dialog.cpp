#include "platform/ui/file_dialog.h"

#include <QFileDialog>

#include "platform/automation/error.h"
#include "platform/ui/form.h"
#include "platform/ui/scripted_answers.h"

namespace ui {

namespace {
std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}
}  // namespace

std::vector<std::string> NameFilters(const std::string& filter) {
  std::vector<std::string> out;
  if (filter.empty()) return out;
  const std::vector<std::string> parts = Split(filter, '|');
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns;
    for (const std::string& p : Split(parts[i + 1], ';')) patterns += (patterns.empty() ? "" : " ") + p;
    out.push_back(parts[i] + " (" + patterns + ")");
  }
  return out;
}

CommonDialog::CommonDialog(Form& form, std::string name) : Control(form, std::move(name), nullptr) {}

void CommonDialog::ShowOpen() {
  std::optional<std::string> chosen;
  bool scripted = false;
  if (ScriptedRun()) {
    if (auto queued = TakeFileAnswer()) {
      chosen = *queued;
      scripted = true;
    }
  } else {
    QFileDialog dialog(&form().window());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList filters;
    for (const std::string& f : NameFilters(Filter)) filters << Q(f);
    if (!filters.isEmpty()) {
      dialog.setNameFilters(filters);
      if (FilterIndex >= 1 && FilterIndex <= filters.size()) dialog.selectNameFilter(filters.at(FilterIndex - 1));
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      chosen = S(dialog.selectedFiles().first());
  }
  LogEvent("file-dialog", {{"form", form().name()},
                           {"filter", Filter},
                           {"answer", chosen ? *chosen : std::string("cancel")},
                           {"scripted", scripted}});
  if (!chosen) {
    if (CancelError) automation::Raise(kCancelSelected, "Cancel was selected.");
    return;
  }
  FileName = *chosen;
}

}  // namespace ui
