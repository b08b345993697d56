#include "platform/ui/toolbar.h"

#include <QAction>
#include <QPainter>
#include <QToolBar>

#include "platform/ui/event.h"

namespace ui {

namespace {

// The style paints a toolbar's panel itself, over any palette: a picture of its own goes under the
// buttons here, tiled from the top left as a pattern brush is.
class PictureToolBar : public QToolBar {
 public:
  QPixmap picture;

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (picture.isNull()) return QToolBar::paintEvent(event);
    QPainter(this).drawTiledPixmap(rect(), picture);
  }
};

}  // namespace

ImageList::ImageList(Form& form, std::string name) : Control(form, std::move(name), nullptr) {}

void ImageList::Add(const std::string& key, const QPixmap& picture) { pictures_[key] = picture; }

QPixmap ImageList::Picture(const std::string& key) const {
  const auto it = pictures_.find(key);
  return it == pictures_.end() ? QPixmap() : it->second;
}

Toolbar::Toolbar(Form& form, std::string name) : Control(form, std::move(name), new PictureToolBar) {
  bar_ = static_cast<QToolBar*>(widget());
  bar_->setMovable(false);
  bar_->setFloatable(false);
}

Toolbar::~Toolbar() = default;

void Toolbar::AddButton(ToolbarButton button) {
  auto owned = std::make_unique<ToolbarButton>(std::move(button));
  ToolbarButton& b = *owned;
  QAction* action = bar_->addAction(Q(b.Caption));
  action->setToolTip(Q(b.ToolTipText));
  if (images_ != nullptr && !b.Image.empty()) action->setIcon(QIcon(images_->Picture(b.Image)));
  // Buttons without a caption show their image alone, as on the home platform.
  if (!b.Caption.empty()) bar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  QObject::connect(action, &QAction::triggered, bar_, [this, &b] { Fire<const ToolbarButton&>(ButtonClick, b); });
  buttons_.emplace_back(std::move(owned), action);
}

void Toolbar::AddSeparator() { bar_->addSeparator(); }

void Toolbar::setBackgroundPicture(const QPixmap& picture) {
  if (picture.isNull()) return;
  static_cast<PictureToolBar*>(bar_)->picture = picture;
  bar_->update();
}

std::vector<const ToolbarButton*> Toolbar::Buttons() const {
  std::vector<const ToolbarButton*> out;
  for (const auto& [button, action] : buttons_) out.push_back(button.get());
  return out;
}

void Toolbar::ScriptPress(const std::string& key) {
  for (const auto& [button, action] : buttons_) {
    if (button->Key != key) continue;
    if (!Enabled() || !action->isEnabled()) throw ScriptError(name() + " button " + key + " is disabled");
    action->trigger();
    return;
  }
  throw ScriptError(name() + " has no button with the key " + key);
}

LogEntry Toolbar::Dump() const {
  LogEntry keys = LogEntry::array();
  for (const auto& [button, action] : buttons_) keys.push_back(button->Key);
  LogEntry state = {{"items", keys}};
  state.update(Control::Dump());
  return state;
}

}  // namespace ui
