// A child control of a window: panel, label, button, edit box, list box, check box, radio group.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Widget.h"

namespace qm {

class Toolkit;
class Window;

enum class ControlKind { Panel, Label, Button, Edit, ListBox, CheckBox, RadioGroup, Image };

enum class Bevel { None, Raised, Lowered, Single };

class Control : public Widget {
 public:
  // `parent` is the control that holds this one (a panel), or null for the window's client area.
  Control(Toolkit& toolkit, ControlKind kind, Window& window, Control* parent, std::string name);

  ControlKind kind() const { return kind_; }
  Window& window() const { return window_; }
  Control* parent() const { return parent_; }

  Bevel bevel() const { return bevel_; }
  void setBevel(Bevel v) { assign(bevel_, v, Prop::Bevel); }

  // Check boxes: a change, made here or by the user, runs onClick as a click would.
  bool checked() const { return checked_; }
  void setChecked(bool v);
  void takeUserChecked(bool v) { setCheckedFrom(v, false); }

  // List boxes and radio groups. -1 is no selection. For a radio group a change runs onClick.
  // items() are the bytes; itemTexts() adds their encodings, UTF-8 for a name or path that
  // code page 932 cannot spell.
  const std::vector<std::string>& items() const { return items_; }
  std::vector<EncodedText> itemTexts() const;
  void setItems(const std::vector<EncodedText>& v);
  int itemIndex() const { return itemIndex_; }
  void setItemIndex(int v);
  void takeUserItemIndex(int v);
  // Radio groups: the columns their buttons stand in, filled row by row. The buttons are laid
  // out anew, as for new items.
  int columns() const { return columns_; }
  void setColumns(int v) { assign(columns_, v, Prop::Items); }

  // Edit boxes: the most bytes the user may type.
  int maxLength() const { return maxLength_; }
  void setMaxLength(int v) { assign(maxLength_, v, Prop::MaxLength); }

  // Whether Tab stops at this control; buttons, edit boxes, list boxes and check boxes do.
  bool tabStop() const { return tabStop_; }
  void setTabStop(bool v) { assign(tabStop_, v, Prop::TabStop); }

  std::function<void()> onClick;

 private:
  void setCheckedFrom(bool v, bool toPeer);

  ControlKind kind_;
  Window& window_;
  Control* parent_;
  Bevel bevel_ = Bevel::None;
  bool checked_ = false;
  std::vector<std::string> items_;
  std::vector<TextEncoding> itemEncodings_;  // one for each item
  int itemIndex_ = -1;
  int columns_ = 2;
  int maxLength_ = 0;
  bool tabStop_ = true;
};

}  // namespace qm
