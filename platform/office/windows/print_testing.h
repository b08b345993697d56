#pragma once
// The PDFs that printing makes, as poppler's tools read them (poppler-utils), for the tests.

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QString>

namespace office::windows::testing {

inline std::string CommandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

// The text of pages from..to, compatibility characters folded: Qt's PDF writer names a few CJK
// glyphs by their Kangxi radicals (⼈ for 人), which viewers' searches fold in the same way
// (full-width punctuation folds to ASCII too). Pages end in a form feed.
inline std::string PdfText(const std::string& pdf, int from, int to) {
  const std::string text =
      CommandOutput("pdftotext -enc UTF-8 -f " + std::to_string(from) + " -l " + std::to_string(to) + " '" + pdf + "' -");
  return QString::fromStdString(text).normalized(QString::NormalizationForm_KC).toStdString();
}

inline int PdfPages(const std::string& pdf) {
  std::istringstream info(CommandOutput("pdfinfo '" + pdf + "'"));
  for (std::string line; std::getline(info, line);)
    if (line.rfind("Pages:", 0) == 0) return std::atoi(line.c_str() + 6);
  return -1;
}

// The names of the fonts the PDF uses without embedding them; "(none)" when it uses no font.
inline std::vector<std::string> FontsNotEmbedded(const std::string& pdf) {
  std::istringstream table(CommandOutput("pdffonts '" + pdf + "'"));
  std::vector<std::string> missing;
  std::string line;
  std::getline(table, line);  // the heading, then a rule
  const std::size_t emb = line.find("emb");
  std::getline(table, line);
  int fonts = 0;
  while (std::getline(table, line)) {
    ++fonts;
    if (emb == std::string::npos || line.compare(emb, 3, "yes") != 0) missing.push_back(line.substr(0, line.find(' ')));
  }
  if (fonts == 0) missing.push_back("(none)");
  return missing;
}

// The print dialog filled in as a user does, to print to a PDF file: pages from..to (0: all of
// them) and the copies, collated.
inline void FillPrintDialog(QPrintDialog& dialog, const std::string& file, int from = 0, int to = 0, int copies = 1) {
  dialog.findChild<QLineEdit*>("filename")->setText(QString::fromStdString(file));
  if (from > 0) {
    dialog.findChild<QRadioButton*>("printRange")->setChecked(true);
    dialog.findChild<QSpinBox*>("from")->setValue(from);
    dialog.findChild<QSpinBox*>("to")->setValue(to);
  }
  dialog.findChild<QSpinBox*>("copies")->setValue(copies);
  dialog.findChild<QCheckBox*>("collate")->setChecked(true);
}

}  // namespace office::windows::testing
