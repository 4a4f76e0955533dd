// The properties dialog: the appearance switches (screen edges, Ctrl and F12, two mouse gestures),
// the WAVE file played after a save and the format dropped pictures are saved in. Only OK changes
// the settings.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/DialogForm.h"
#include "platform/Control.h"
#include "platform/Platform.h"

namespace qm {

struct Settings;
class SettingsStore;

class TForm5 : public DialogForm {
 public:
  // Builds the dialog hidden, with the edge and key switches ticked and the gestures unticked.
  // `conflicting` are the tray entries that stay unavailable while the dialog is open.
  TForm5(Platform& platform, SettingsStore& store, ConflictingCommands conflicting);

  // Ticks the switch boxes by the switch flags and puts the save-sound path into the path box. A
  // box that changes runs its click reaction, as a click by the user would.
  void fillFrom(const Settings& settings);

  void FormShow();
  void RadioGroup1Click();
  void Button3Click();  // choose the WAVE file
  void Button4Click();  // sound test
  void CheckBox8Click();
  void CheckBox9Click();
  void Button1Click();  // OK
  void Button2Click();  // Cancel
  // The close box, the system menu's close command and Alt+F4.
  void CloseCommand();

  Control& CheckBox1() { return checkBox1_; }  // top edge
  Control& CheckBox2() { return checkBox2_; }  // bottom edge
  Control& CheckBox3() { return checkBox3_; }  // left edge
  Control& CheckBox4() { return checkBox4_; }  // right edge
  Control& CheckBox5() { return checkBox5_; }  // Ctrl
  Control& CheckBox7() { return checkBox7_; }  // F12
  Control& CheckBox8() { return checkBox8_; }  // L gesture
  Control& CheckBox9() { return checkBox9_; }  // square gesture
  Control& RadioGroup1() { return radioGroup1_; }
  Control& Edit2() { return edit2_; }              // WAVE file path
  Control& RadioGroup2() { return radioGroup2_; }  // save format
  Control& Button1() { return button1_; }
  Control& Button2() { return button2_; }
  Control& Button3() { return button3_; }
  Control& Button4() { return button4_; }

 private:
  struct SwitchBox;
  static const SwitchBox kSwitchBoxes[];

  void buildLayout();
  void wireHandlers();
  void tickSwitches(std::uint8_t switchFlags);
  std::uint8_t composeSwitchFlags() const;
  void warnAboutGesture(const Control& box);
  void closeDialog();
  void addLabel(Control& group, const char* name, const char* caption, Bounds bounds, bool heading);

  Toolkit& toolkit_;
  Interaction& interaction_;
  FileSystem& files_;
  SettingsStore& store_;
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
  Control radioGroup1_;
  Control edit2_;
  Control button3_;
  Control button4_;
  Control panel6_;  // save format
  Control radioGroup2_;
  Control button1_;
  Control button2_;
  std::vector<std::unique_ptr<Control>> labels_;

  // While the boxes are ticked from the settings, their reactions stay quiet.
  bool filling_ = false;
  EncodedText lastWaveFile_;
};

}  // namespace qm
