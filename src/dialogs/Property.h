// The properties dialog: the appearance switches (screen edges, Ctrl and F12, two mouse gestures)
// and the WAVE file played after a save.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "dialogs/DialogForm.h"
#include "platform/Control.h"

namespace qm {

struct Settings;

class TForm5 : public DialogForm {
 public:
  // Builds the dialog hidden, with the edge and key switches ticked and the gestures unticked.
  explicit TForm5(Toolkit& toolkit);

  // Ticks the switch boxes by the switch flags and puts the save-sound path into the path box. A
  // box that changes runs its click reaction, as a click by the user would.
  void fillFrom(const Settings& settings);

  Control& CheckBox1() { return checkBox1_; }  // top edge
  Control& CheckBox2() { return checkBox2_; }  // bottom edge
  Control& CheckBox3() { return checkBox3_; }  // left edge
  Control& CheckBox4() { return checkBox4_; }  // right edge
  Control& CheckBox5() { return checkBox5_; }  // Ctrl
  Control& CheckBox7() { return checkBox7_; }  // F12
  Control& CheckBox8() { return checkBox8_; }  // L gesture
  Control& CheckBox9() { return checkBox9_; }  // square gesture
  Control& Edit2() { return edit2_; }          // WAVE file path

 private:
  struct SwitchBox;
  static const SwitchBox kSwitchBoxes[];

  void tickSwitches(std::uint8_t switchFlags);

  void addLabel(Control& group, const char* name, const char* caption, Bounds bounds, bool heading);

  Toolkit& toolkit_;
  Control panel2_;  // screen edges
  Control panel1_;  // picture of the screen
  Control checkBox1_;
  Control checkBox2_;
  Control checkBox3_;
  Control checkBox4_;
  Control panel3_;  // keys
  Control checkBox5_;
  Control checkBox7_;
  Control panel4_;  // gestures
  Control checkBox8_;
  Control checkBox9_;
  Control panel5_;  // save sound
  Control edit2_;
  std::vector<std::unique_ptr<Control>> labels_;
};

}  // namespace qm
