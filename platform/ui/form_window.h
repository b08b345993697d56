#pragma once
// The Qt window under a form: turns the window system's events into the form's events.

#include <QWidget>

namespace ui {

class Form;

class FormWindow : public QWidget {
 public:
  explicit FormWindow(Form& form);

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Form& form_;
};

}  // namespace ui
