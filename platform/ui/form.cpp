#include "platform/ui/form.h"

#include <algorithm>

#include <QGuiApplication>
#include <QObject>

#include "platform/automation/error.h"
#include "platform/ui/control.h"
#include "platform/ui/form_window.h"
#include "platform/ui/program.h"
#include "platform/ui/script.h"
#include "platform/ui/standin_log.h"
#include "platform/ui/window_placement.h"

namespace ui {

namespace {

// Owns a form until Qt deletes it, which happens only once the handlers running at the time of
// the unload have returned: a form may unload itself from one of its own handlers.
class FormHolder : public QObject {
 public:
  explicit FormHolder(std::unique_ptr<Form> form) : form_(std::move(form)) {}
 private:
  std::unique_ptr<Form> form_;
};

struct Loaded {
  Form* form;
  std::type_index type;
  FormHolder* holder;
};

std::vector<Loaded>& Registry() {
  static std::vector<Loaded> loaded;
  return loaded;
}

std::vector<Form*>& LoadOrder() {
  static std::vector<Form*> forms;
  return forms;
}

// Takes the form out of the loaded ones and hands over what owns its instance.
FormHolder* Drop(Form& form) {
  auto& loaded = Registry();
  const auto it = std::find_if(loaded.begin(), loaded.end(), [&](const Loaded& l) { return l.form == &form; });
  if (it == loaded.end()) return nullptr;
  FormHolder* holder = it->holder;
  loaded.erase(it);
  std::erase(LoadOrder(), &form);
  if (loaded.empty()) LastFormUnloaded();
  return holder;
}

}  // namespace

Form::Form(std::string name) : name_(std::move(name)), window_(std::make_unique<FormWindow>(*this)) {}

// The window goes first, while every member its events might look at is still there.
Form::~Form() { window_.reset(); }

QWidget& Form::window() const { return *window_; }

std::string Form::Caption() const { return S(window_->windowTitle()); }
void Form::setCaption(const std::string& caption) { window_->setWindowTitle(Q(caption)); }
void Form::setIcon(const QIcon& icon) { window_->setWindowIcon(icon); }

void Form::setBorderStyle(BorderStyle style) {
  border_ = style;
  ApplyFrame();
}

void Form::ApplyFrame() {
  Qt::WindowFlags flags = Qt::Window;
  switch (border_) {
    case BorderStyle::None: flags |= Qt::FramelessWindowHint; break;
    case BorderStyle::Sizable: break;
    case BorderStyle::FixedSingle:
      flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
               Qt::WindowCloseButtonHint;
      break;
    case BorderStyle::FixedDialog:
      flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
      break;
    case BorderStyle::FixedToolWindow:
      flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
      break;
  }
  window_->setWindowFlags(flags);
  if (border_ == BorderStyle::Sizable) {
    window_->setMinimumSize(0, 0);
    window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    window_->setFixedSize(window_->size());
  }
}

void Form::setBackColor(const QColor& colour) {
  QPalette palette = window_->palette();
  palette.setColor(QPalette::Window, colour);
  window_->setPalette(palette);
  window_->setAutoFillBackground(true);
}

void Form::Move(int left, int top, int width, int height) {
  if (border_ != BorderStyle::Sizable) window_->setFixedSize(Pixels(width), Pixels(height));
  window_->setGeometry(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
}

bool Form::Visible() const { return window_->isVisible(); }
void Form::setVisible(bool visible) { visible ? Show() : Hide(); }

void Form::Show() {
  if (!loaded_) automation::Raise(kObjectWasUnloaded, "Object was unloaded");
  const bool wasShown = window_->isVisible();
  if (!wasShown) PlaceClearOfTopmost(*this);
  window_->show();
  if (QGuiApplication::platformName() != "offscreen") window_->raise();  // the offscreen platform has no stacking
  window_->activateWindow();
  if (wasShown) return;
  LogEvent("form", {{"form", name_}, {"action", "shown"}});
  Script::FormShown(*this);
}

void Form::Hide() { window_->hide(); }

Control* Form::control(std::string_view name) const {
  for (Control* c : controls_)
    if (c->name() == name) return c;
  return nullptr;
}

void Form::AddControl(Control& control) { controls_.push_back(&control); }
void Form::RemoveControl(Control& control) { std::erase(controls_, &control); }

const std::vector<Form*>& LoadedForms() { return LoadOrder(); }

Form* FindLoadedForm(std::string_view name) {
  for (Form* f : LoadOrder())
    if (f->name() == name) return f;
  return nullptr;
}

Form* FindLoadedForm(std::type_index type) {
  for (const Loaded& l : Registry())
    if (l.type == type) return l.form;
  return nullptr;
}

void LoadForm(std::unique_ptr<Form> form, std::type_index type) {
  Form& f = *form;
  Registry().push_back({&f, type, new FormHolder(std::move(form))});
  LoadOrder().push_back(&f);
  f.loaded_ = true;
  f.loading_ = true;
  const FormInUse inUse(f);
  struct EndLoading {
    Form& f;
    ~EndLoading() { f.loading_ = false; }
  } endLoading{f};
  f.Form_Initialize();
  if (f.loaded_) f.Form_Load();
}

FormInUse::FormInUse(Form& form) : form_(form) { ++form_.inUse_; }

// Qt deletes the instance after the event dispatch now under way has returned, so that no widget
// of the form goes while Qt is still delivering to it.
FormInUse::~FormInUse() {
  if (--form_.inUse_ == 0 && form_.discard_ != nullptr) form_.discard_->deleteLater();
}

bool Unload(Form& form, UnloadMode mode) {
  if (!form.loaded_) return true;
  const FormInUse inUse(form);
  // A form unloaded from inside its own query-unload (the quit sequence) is not asked again.
  if (!form.unloading_) {
    form.unloading_ = true;
    int cancel = 0;
    struct EndQuery {
      Form& f;
      ~EndQuery() { f.unloading_ = false; }
    } endQuery{form};
    form.Form_QueryUnload(cancel, mode);
    if (cancel != 0) return false;
  }
  if (!form.loaded_) return true;
  int cancel = 0;
  form.Form_Unload(cancel);
  if (cancel != 0) return false;
  if (!form.loaded_) return true;
  form.loaded_ = false;
  const bool wasShown = form.window_->isVisible();
  form.window_->hide();
  if (wasShown) LogEvent("form", {{"form", form.name_}, {"action", "closed"}});
  form.discard_ = Drop(form);
  return true;
}

void UnloadAll() {
  const std::vector<Form*> forms = LoadOrder();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it)
    if (std::find(LoadOrder().begin(), LoadOrder().end(), *it) != LoadOrder().end()) Unload(**it);
}

}  // namespace ui
