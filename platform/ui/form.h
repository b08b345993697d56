#pragma once
// Forms: a window with the documents' properties and events, used through one default instance
// per form class. Loading creates the instance (Initialize, then Load); unloading drops it, and
// the next use loads a fresh one.
//
//   class Form3 : public ui::Form {
//    public:
//     Form3() : Form("Form3") { Command1.Click = [this] { Command1_Click(); }; }
//     ui::CommandButton Command1{*this, "Command1"};
//     void Form_Load() override;
//     void Command1_Click();
//   };
//   ui::Default<Form3>().Show();

#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include <QColor>
#include <QIcon>
#include <QWidget>

namespace ui {

class Control;
class FormWindow;

enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog, FixedToolWindow };

// Why a form is asked to unload (the first two values of the home platform's modes).
enum class UnloadMode { ControlMenu = 0, Code = 1 };

// Mouse buttons and shift states as the mouse events hand them over.
inline constexpr int kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;
inline constexpr int kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

class Form {
 public:
  explicit Form(std::string name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  QWidget& window() const;
  bool loaded() const { return loaded_; }

  std::string Caption() const;
  void setCaption(const std::string& caption);
  void setIcon(const QIcon& icon);
  void setBorderStyle(BorderStyle style);
  void setBackColor(const QColor& colour);
  // Twips from the screen's top left corner; the position and size of the client area.
  void Move(int left, int top, int width, int height);
  bool Visible() const;
  void setVisible(bool visible);
  // Modeless. Showing a window that is already open brings it to the front. A form unloaded
  // (also inside its own Load) raises "Object was unloaded", which ends the calling command.
  void Show();
  void Hide();

  Control* control(std::string_view name) const;
  const std::vector<Control*>& controls() const { return controls_; }

  // Events, named as the handlers of the documents.
  virtual void Form_Initialize() {}
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_QueryUnload(int& /*cancel*/, UnloadMode /*mode*/) {}
  virtual void Form_Unload(int& /*cancel*/) {}
  virtual void Form_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}

 private:
  friend class Control;
  friend class FormWindow;
  friend class FormInUse;
  friend void LoadForm(std::unique_ptr<Form> form, std::type_index type);
  friend bool Unload(Form& form, UnloadMode mode);
  void AddControl(Control& control);
  void RemoveControl(Control& control);
  void ApplyFrame();

  std::string name_;
  std::unique_ptr<FormWindow> window_;
  std::vector<Control*> controls_;
  BorderStyle border_ = BorderStyle::Sizable;
  bool loaded_ = false;
  bool loading_ = false;
  bool unloading_ = false;
  int inUse_ = 0;          // handlers of the form running now
  QObject* discard_ = nullptr;  // owns the unloaded instance until no handler of it runs
};

// Keeps a form's instance alive while one of its handlers runs.
class FormInUse {
 public:
  explicit FormInUse(Form& form);
  ~FormInUse();
  FormInUse(const FormInUse&) = delete;
  FormInUse& operator=(const FormInUse&) = delete;

 private:
  Form& form_;
};

// The error a command gets when it shows a form that is no longer loaded.
inline constexpr long kObjectWasUnloaded = 364;

// The loaded forms, first loaded first.
const std::vector<Form*>& LoadedForms();
Form* FindLoadedForm(std::string_view name);
Form* FindLoadedForm(std::type_index type);
void LoadForm(std::unique_ptr<Form> form, std::type_index type);

// The default instance of a form class, loaded on first use.
template <class F>
F& Default() {
  if (Form* form = FindLoadedForm(typeid(F))) return static_cast<F&>(*form);
  auto form = std::make_unique<F>();
  F& instance = *form;
  LoadForm(std::move(form), typeid(F));
  return instance;
}

// Asks the form (query-unload, then unload; either may cancel) and drops its instance once the
// handlers running now have returned. True when it was unloaded.
bool Unload(Form& form, UnloadMode mode = UnloadMode::Code);
// Every loaded window, the most recently loaded first.
void UnloadAll();

}  // namespace ui
