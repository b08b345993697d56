#include "platform/office/windows/word/find_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace office::windows::word {
namespace {

constexpr std::int32_t kWrapContinue = 1;  // wdFindContinue: the dialog's search goes on at the other end

}  // namespace

FindDialog::FindDialog(Search search) : search_(std::move(search)) {
  setObjectName(QStringLiteral("findReplace"));
  setWindowTitle(QStringLiteral("查找和替换"));
  setModal(false);
  const auto named = [](auto* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
  };
  findText_ = named(new QLineEdit, "findText");
  replaceText_ = named(new QLineEdit, "replaceText");
  findText_->setMaxLength(255);
  replaceText_->setMaxLength(255);
  matchCase_ = named(new QCheckBox(QStringLiteral("区分大小写")), "matchCase");
  matchWholeWord_ = named(new QCheckBox(QStringLiteral("全字匹配")), "matchWholeWord");
  matchWildcards_ = named(new QCheckBox(QStringLiteral("使用通配符")), "matchWildcards");
  matchSoundsLike_ = named(new QCheckBox(QStringLiteral("同音(英文)")), "matchSoundsLike");
  matchAllWordForms_ = named(new QCheckBox(QStringLiteral("查找单词的所有形式(英文)")), "matchAllWordForms");
  forward_ = named(new QRadioButton(QStringLiteral("向下")), "forward");
  backward_ = named(new QRadioButton(QStringLiteral("向上")), "backward");
  forward_->setChecked(true);

  auto* texts = new QFormLayout;
  texts->addRow(QStringLiteral("查找内容:"), findText_);
  texts->addRow(QStringLiteral("替换为:"), replaceText_);

  auto* direction = new QGroupBox(QStringLiteral("搜索方向"));
  auto* directionLayout = new QHBoxLayout(direction);
  directionLayout->addWidget(forward_);
  directionLayout->addWidget(backward_);
  directionLayout->addStretch();

  auto* options = new QGroupBox(QStringLiteral("搜索选项"));
  auto* optionsLayout = new QVBoxLayout(options);
  for (QCheckBox* box : {matchCase_, matchWholeWord_, matchWildcards_, matchSoundsLike_, matchAllWordForms_})
    optionsLayout->addWidget(box);
  optionsLayout->addWidget(direction);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  const auto button = [&](const char* name, const QString& text, auto clicked) {
    auto* b = named(new QPushButton(text), name);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, clicked);
    buttons->addWidget(b);
    return b;
  };
  button("replace", QStringLiteral("替换(&R)"), [this] { search_(FindAction::Replace, Options()); });
  button("replaceAll", QStringLiteral("全部替换(&A)"), [this] { search_(FindAction::ReplaceAll, Options()); });
  button("findNext", QStringLiteral("查找下一处(&F)"), [this] { search_(FindAction::Next, Options()); })->setDefault(true);
  button("close", QStringLiteral("关闭"), [this] { hide(); });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(texts);
  layout->addWidget(options);
  layout->addLayout(buttons);
}

void FindDialog::Load(const office::word::FindOptions& options) {
  findText_->setText(QString::fromStdString(options.text));
  replaceText_->setText(QString::fromStdString(options.replacement));
  matchCase_->setChecked(options.matchCase);
  matchWholeWord_->setChecked(options.matchWholeWord);
  matchWildcards_->setChecked(options.matchWildcards);
  matchSoundsLike_->setChecked(options.matchSoundsLike);
  matchAllWordForms_->setChecked(options.matchAllWordForms);
  (options.forward ? forward_ : backward_)->setChecked(true);
}

office::word::FindOptions FindDialog::Options() const {
  office::word::FindOptions o;
  o.text = findText_->text().toStdString();
  o.replacement = replaceText_->text().toStdString();
  o.matchCase = matchCase_->isChecked();
  o.matchWholeWord = matchWholeWord_->isChecked();
  o.matchWildcards = matchWildcards_->isChecked();
  o.matchSoundsLike = matchSoundsLike_->isChecked();
  o.matchAllWordForms = matchAllWordForms_->isChecked();
  o.forward = forward_->isChecked();
  o.wrap = kWrapContinue;
  o.format = false;
  return o;
}

}  // namespace office::windows::word
