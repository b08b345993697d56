#pragma once
// The toolbar and the image list its buttons take their images from. A button click hands the
// button over, so that the handler dispatches on its key.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QPixmap>

#include "platform/ui/control.h"

class QAction;
class QToolBar;

namespace ui {

class ImageList : public Control {
 public:
  ImageList(Form& form, std::string name);
  void Add(const std::string& key, const QPixmap& picture);
  // An empty picture for a key the list does not hold.
  QPixmap Picture(const std::string& key) const;

 private:
  std::map<std::string, QPixmap> pictures_;
};

struct ToolbarButton {
  std::string Key;
  std::string Caption;
  std::string ToolTipText;
  std::string Image;  // key in the toolbar's image list
};

class Toolbar : public Control {
 public:
  Toolbar(Form& form, std::string name);
  ~Toolbar() override;

  void setImageList(const ImageList& images) { images_ = &images; }
  void AddButton(ToolbarButton button);
  void AddSeparator();
  // A picture tiled over the toolbar's background; an empty one leaves the default background.
  void setBackgroundPicture(const QPixmap& picture);
  // The buttons, separators left out, left to right.
  std::vector<const ToolbarButton*> Buttons() const;

  void ScriptPress(const std::string& key);
  LogEntry Dump() const override;

  std::function<void(const ToolbarButton&)> ButtonClick;

 private:
  QToolBar* bar_;
  const ImageList* images_ = nullptr;
  std::vector<std::pair<std::unique_ptr<ToolbarButton>, QAction*>> buttons_;
};

}  // namespace ui
