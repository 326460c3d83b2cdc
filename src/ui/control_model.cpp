#include "ui/control_model.h"

namespace skel::ui {

Control& ControlModel::Add(Control control) {
  std::string name = control.name;
  auto [it, inserted] = controls_.emplace(name, std::make_unique<Control>(std::move(control)));
  if (inserted) order_.push_back(name);
  return *it->second;
}

bool ControlModel::Has(const std::string& name) const {
  return controls_.count(name) != 0;
}

Control& ControlModel::Get(const std::string& name) {
  auto it = controls_.find(name);
  if (it != controls_.end()) return *it->second;
  placeholder_ = Control{};
  placeholder_.name = name;
  return placeholder_;
}

const Control& ControlModel::Get(const std::string& name) const {
  return const_cast<ControlModel*>(this)->Get(name);
}

void ControlModel::On(const std::string& name, ControlEvent event, Handler handler) {
  handlers_[{name, event}].push_back(std::move(handler));
}

void ControlModel::OnKeyPress(const std::string& name, KeyHandler handler) {
  keyHandlers_[name].push_back(std::move(handler));
}

void ControlModel::Fire(const std::string& name, ControlEvent event) {
  if (!Has(name)) return;
  auto it = handlers_.find({name, event});
  if (it == handlers_.end()) return;
  // Copy: a handler may register further handlers.
  auto list = it->second;
  for (auto& h : list) h(Get(name));
}

void ControlModel::Notify(const Control& c, ControlAspect aspect) {
  if (view_ && &c != &placeholder_) view_->ControlChanged(c, aspect);
}

void ControlModel::SetValue(const std::string& name, int value) {
  if (!Has(name)) return;
  Control& c = Get(name);
  if (c.kind == ControlKind::OptionButton) value = value ? 1 : 0;
  if (c.value == value) return;
  c.value = value;
  if (c.kind == ControlKind::OptionButton && value && !c.group.empty()) {
    for (const auto& other : order_) {
      Control& o = Get(other);
      if (&o != &c && o.kind == ControlKind::OptionButton && o.group == c.group && o.value) {
        o.value = 0;
        Notify(o, ControlAspect::Value);
      }
    }
  }
  Notify(c, ControlAspect::Value);
  if (c.kind == ControlKind::CheckBox || (c.kind == ControlKind::OptionButton && value)) {
    Fire(name, ControlEvent::Click);
  } else if (c.kind == ControlKind::Slider) {
    Fire(name, ControlEvent::Change);
  }
}

void ControlModel::SetText(const std::string& name, const std::string& text) {
  if (!Has(name)) return;
  Control& c = Get(name);
  std::string t = c.maxLength > 0 && static_cast<int>(text.size()) > c.maxLength
                      ? text.substr(0, c.maxLength)
                      : text;
  if (c.text == t) return;
  c.text = t;
  Notify(c, ControlAspect::Text);
  Fire(name, ControlEvent::Change);
}

void ControlModel::SetListIndex(const std::string& name, int index) {
  if (!Has(name)) return;
  Control& c = Get(name);
  if (index < -1 || index >= static_cast<int>(c.items.size())) index = -1;
  if (c.listIndex == index) return;
  c.listIndex = index;
  Notify(c, ControlAspect::Value);
  Fire(name, ControlEvent::Click);
}

void ControlModel::SelectListText(const std::string& name, const std::string& text) {
  const Control& c = Get(name);
  int found = -1;
  for (size_t i = 0; i < c.items.size(); ++i) {
    if (c.items[i] == text) {
      found = static_cast<int>(i);
      break;
    }
  }
  SetListIndex(name, found);
}

std::string ControlModel::ListText(const std::string& name) const {
  const Control& c = Get(name);
  if (c.listIndex < 0 || c.listIndex >= static_cast<int>(c.items.size())) return "";
  return c.items[c.listIndex];
}

void ControlModel::SetCaption(const std::string& name, const std::string& caption) {
  if (!Has(name)) return;
  Control& c = Get(name);
  if (c.caption == caption) return;
  c.caption = caption;
  Notify(c, ControlAspect::Caption);
}

void ControlModel::SetEnabled(const std::string& name, bool enabled) {
  if (!Has(name)) return;
  Control& c = Get(name);
  if (c.enabled == enabled) return;
  c.enabled = enabled;
  Notify(c, ControlAspect::Enabled);
}

void ControlModel::SetVisible(const std::string& name, bool visible) {
  if (!Has(name)) return;
  Control& c = Get(name);
  if (c.visible == visible) return;
  c.visible = visible;
  Notify(c, ControlAspect::Visible);
}

void ControlModel::SetItems(const std::string& name, std::vector<std::string> items) {
  if (!Has(name)) return;
  Control& c = Get(name);
  c.items = std::move(items);
  if (c.listIndex >= static_cast<int>(c.items.size())) c.listIndex = -1;
  Notify(c, ControlAspect::Items);
}

void ControlModel::SetColor(const std::string& name, long long color) {
  if (!Has(name)) return;
  Control& c = Get(name);
  if (c.color == color) return;
  c.color = color;
  Notify(c, ControlAspect::Color);
}

void ControlModel::SelectAllText(const std::string& name) {
  if (Has(name)) Notify(Get(name), ControlAspect::SelectAll);
}

void ControlModel::SetFocus(const std::string& name) {
  if (Has(name)) Notify(Get(name), ControlAspect::Focus);
}

void ControlModel::UserClick(const std::string& name) {
  if (!Has(name)) return;
  Control& c = Get(name);
  if (!c.enabled) return;
  switch (c.kind) {
    case ControlKind::CheckBox:
      SetValue(name, c.value ? 0 : 1);
      break;
    case ControlKind::OptionButton:
      if (c.value) {
        Fire(name, ControlEvent::Click);  // clicking the chosen option clicks again
      } else {
        SetValue(name, 1);
      }
      break;
    default:
      Fire(name, ControlEvent::Click);
      break;
  }
}

void ControlModel::UserMouseUp(const std::string& name) {
  Fire(name, ControlEvent::MouseUp);
}

void ControlModel::UserType(const std::string& name, const std::string& newText) {
  SetText(name, newText);
}

bool ControlModel::UserKeyPress(const std::string& name, int& keyAscii) {
  auto it = keyHandlers_.find(name);
  if (it != keyHandlers_.end() && Has(name)) {
    auto list = it->second;
    for (auto& h : list) {
      h(Get(name), keyAscii);
      if (keyAscii == 0) return false;
    }
  }
  return keyAscii != 0;
}

void ControlModel::UserKeyUp(const std::string& name) {
  Fire(name, ControlEvent::KeyUp);
}

void ControlModel::UserFocus(const std::string& name) {
  Fire(name, ControlEvent::GotFocus);
}

void ControlModel::UserSelect(const std::string& name, int index) {
  SetListIndex(name, index);
}

void ControlModel::UserSlide(const std::string& name, int value) {
  SetValue(name, value);
}

}  // namespace skel::ui
