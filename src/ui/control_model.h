// A small model of a window's named controls. The logic of a window reads and
// sets control state here and registers its handlers here, so that loading
// order, enabling rules and handlers run on any platform; the Windows side
// mirrors each control onto its HWND and feeds user actions back in.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace skel::ui {

enum class ControlKind {
  Label,
  CheckBox,
  OptionButton,
  TextBox,
  ComboList,  // selection-only drop-down list
  Button,
  Frame,
  Slider,
  ColorSwatch,
  ListView,
  Picture,
};

// Twips, relative to the control's container (tab page or window).
struct TwipRect {
  int left = 0, top = 0, width = 0, height = 0;
};

enum class ControlEvent { Click, Change, MouseUp, GotFocus, KeyUp };

struct Control {
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string caption;
  int value = 0;     // check box 0/1, option 0/1, slider position
  std::string text;  // text box contents
  bool enabled = true;
  bool visible = true;
  std::vector<std::string> items;  // list entries, or list-view rows (columns joined by '\t')
  int listIndex = -1;              // -1: no selection
  long long color = 0;             // swatch colour, red in the lowest byte
  std::string group;               // option buttons of one group clear each other
  int tab = -1;                    // tab page index, -1 for the window itself
  std::string container;           // frame name, "" for the page
  TwipRect rect;
  int minimum = 0, maximum = 0;  // slider range
  int maxLength = 0;             // text box limit, 0 = none
};

// What changed, for the view that mirrors the model.
enum class ControlAspect { Value, Text, Caption, Enabled, Visible, Items, Color, SelectAll, Focus };

class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual void ControlChanged(const Control& control, ControlAspect aspect) = 0;
};

class ControlModel {
 public:
  using Handler = std::function<void(Control&)>;
  // Called for each character typed into a text box; setting it to 0
  // swallows the key.
  using KeyHandler = std::function<void(Control&, int& keyAscii)>;

  Control& Add(Control control);
  bool Has(const std::string& name) const;
  // Unknown names give a detached placeholder, so a step that names a
  // control not (yet) on the window does nothing instead of failing.
  Control& Get(const std::string& name);
  const Control& Get(const std::string& name) const;
  const std::vector<std::string>& Names() const { return order_; }

  void On(const std::string& name, ControlEvent event, Handler handler);
  void OnKeyPress(const std::string& name, KeyHandler handler);

  // Program-side changes. Like the platform's controls, setting a check box
  // or option button to a new value runs its Click handler, a text box's
  // new text runs Change, a list's new selection runs Click.
  void SetValue(const std::string& name, int value);
  void SetText(const std::string& name, const std::string& text);
  void SetListIndex(const std::string& name, int index);
  // Selects the entry equal to `text`; an unknown text clears the selection.
  void SelectListText(const std::string& name, const std::string& text);
  std::string ListText(const std::string& name) const;
  void SetCaption(const std::string& name, const std::string& caption);
  void SetEnabled(const std::string& name, bool enabled);
  void SetVisible(const std::string& name, bool visible);
  void SetItems(const std::string& name, std::vector<std::string> items);
  void SetColor(const std::string& name, long long color);
  // Asks the view to select the whole text of a text box / give it the focus.
  void SelectAllText(const std::string& name);
  void SetFocus(const std::string& name);

  bool Checked(const std::string& name) const { return Get(name).value != 0; }

  // User actions, as the Windows side reports them.
  void UserClick(const std::string& name);  // toggles a check box, chooses an option
  void UserMouseUp(const std::string& name);
  void UserType(const std::string& name, const std::string& newText);
  // Returns false when a handler swallowed the key.
  bool UserKeyPress(const std::string& name, int& keyAscii);
  void UserKeyUp(const std::string& name);
  void UserFocus(const std::string& name);
  void UserSelect(const std::string& name, int index);
  void UserSlide(const std::string& name, int value);

  void Fire(const std::string& name, ControlEvent event);

  void SetView(ControlView* view) { view_ = view; }

 private:
  void Notify(const Control& c, ControlAspect aspect);

  std::map<std::string, std::unique_ptr<Control>> controls_;
  std::vector<std::string> order_;
  std::map<std::pair<std::string, ControlEvent>, std::vector<Handler>> handlers_;
  std::map<std::string, std::vector<KeyHandler>> keyHandlers_;
  mutable Control placeholder_;
  ControlView* view_ = nullptr;
};

}  // namespace skel::ui
