// The about dialog.
#pragma once

#include "dialogs/DialogForm.h"

namespace qm {

class TForm3 : public DialogForm {
 public:
  explicit TForm3(Toolkit& toolkit);
};

}  // namespace qm
