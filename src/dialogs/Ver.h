// The about dialog: the program's icon, name and version, and a way to its support page.
#pragma once

#include "dialogs/DialogForm.h"
#include "platform/Control.h"
#include "platform/Platform.h"

namespace qm {

class TForm3 : public DialogForm {
 public:
  static constexpr const char* kSupportPage = "https://quillmarten.example/support/";

  explicit TForm3(Platform& platform);

  void Button1Click();  // close
  void Button2Click();  // support page

  Control& Image1() { return image1_; }
  Control& Label1() { return label1_; }
  Control& Label2() { return label2_; }
  Control& Label3() { return label3_; }
  Control& Button1() { return button1_; }
  Control& Button2() { return button2_; }

 private:
  Interaction& interaction_;
  Control image1_;
  Control label1_;
  Control label3_;
  Control label2_;
  Control button1_;
  Control button2_;
};

}  // namespace qm
