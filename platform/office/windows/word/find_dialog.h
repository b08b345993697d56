#pragma once
// Word's 查找和替换 dialog, non-modal: the find and replacement texts, the options and the
// direction, whose buttons search the active document as the user's own search does.

#include <functional>

#include <QDialog>

#include "platform/office/word/find_replace.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace office::windows::word {

enum class FindAction { Next, Replace, ReplaceAll };

class FindDialog : public QDialog {
 public:
  using Search = std::function<void(FindAction, const office::word::FindOptions&)>;
  explicit FindDialog(Search search);

  // Shows the settings of a find object, as Word's dialog opens with the last search's.
  void Load(const office::word::FindOptions& options);
  // The dialog's settings as a find object takes them from a search made in it.
  office::word::FindOptions Options() const;

 private:
  Search search_;
  QLineEdit* findText_;
  QLineEdit* replaceText_;
  QCheckBox* matchCase_;
  QCheckBox* matchWholeWord_;
  QCheckBox* matchWildcards_;
  QCheckBox* matchSoundsLike_;
  QCheckBox* matchAllWordForms_;
  QRadioButton* forward_;
  QRadioButton* backward_;
};

}  // namespace office::windows::word
