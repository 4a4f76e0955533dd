#include "dialogs/Setdirpath.h"

#include "settings/SettingsStore.h"

namespace qm {
namespace {

constexpr int kClientWidth = 549;
constexpr int kClientHeight = 298;

}  // namespace

TForm2::TForm2(Toolkit& toolkit, SettingsStore& store)
    : DialogForm(toolkit, "TForm2", "Quillmarten - 保存先フォルダ 登録", kClientWidth,
                 kClientHeight),
      store_(store) {
  FormCreate();
}

void TForm2::FormCreate() {
  store_.loadFolderLists();
}

}  // namespace qm
