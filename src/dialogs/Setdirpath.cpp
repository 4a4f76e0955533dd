#include "dialogs/Setdirpath.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "dropwindow/DropWindowLook.h"
#include "dropwindow/Qmt.h"
#include "platform/AppIdentity.h"
#include "platform/Dpi.h"
#include "platform/Win32Codes.h"
#include "settings/SettingsStore.h"
#include "text/Cp932.h"

namespace qm {
namespace {

constexpr int kClientWidth = 549;
constexpr int kClientHeight = 298;

constexpr int kNameMaxLength = 26;
constexpr int kPathMaxLength = 258;
constexpr const char* kStartFolder = "C:\\";

// The list strip with its label, the tabs and the marker that lies behind the shown list's tab.
constexpr Bounds kStrip{8, 8, 440, 34};
constexpr Bounds kStripLabel{8, 10, 104, 14};
constexpr int kFirstTabLeft = 120;
constexpr int kTabPitch = 63;
constexpr int kTabTop = 8;
constexpr int kTabWidth = 57;
constexpr int kTabHeight = 18;
constexpr int kMarkerOffset = 4;
constexpr int kMarkerWidth = 64;
constexpr int kMarkerHeight = 25;
constexpr Color kMarkerColor = rgb(255, 0, 0);
constexpr Bounds kDeleteListButton{456, 12, 85, 25};

constexpr Bounds kNameLabel{8, 53, 62, 14};
constexpr Bounds kNameBox{72, 50, 200, 21};
constexpr Bounds kPathLabel{8, 82, 62, 14};
constexpr Bounds kPathBox{72, 79, 380, 21};
constexpr Bounds kBrowseButton{460, 78, 81, 23};
constexpr Bounds kListLabel{8, 110, 120, 14};
constexpr Bounds kListBox{8, 126, 380, 164};
constexpr Bounds kUpButton{394, 126, 30, 78};
constexpr Bounds kDownButton{394, 212, 30, 78};
constexpr int kArrowPoints = 14;
constexpr Bounds kRegisterButton{432, 126, 109, 25};
constexpr Bounds kModifyButton{432, 157, 109, 25};
constexpr Bounds kDeleteButton{432, 188, 109, 25};
constexpr Bounds kCancelButton{432, 234, 109, 25};
constexpr Bounds kConfirmButton{432, 265, 109, 25};

constexpr const char* kRegisterCaption = "登録エラー";
constexpr const char* kModifyCaption = "修正エラー";
constexpr const char* kConfirmCaption = "確定エラー";
constexpr const char* kNameTooLongText =
    "フォルダ名が長すぎます。\n半角31文字（全角15文字）以内にしてください。";
constexpr const char* kPathTooLongText =
    "保存先のパスが長すぎます。\n半角259文字（全角129文字）以内にしてください。";

// A field holds its text and a terminating zero.
constexpr std::size_t kNameFieldBytes = decltype(FolderSlot::name)::kSize;
constexpr std::size_t kPathFieldBytes = decltype(FolderSlot::path)::kSize;
static_assert(kNameMaxLength < static_cast<int>(kNameFieldBytes));
static_assert(kPathMaxLength < static_cast<int>(kPathFieldBytes));

int tabLeft(int k) {
  return kFirstTabLeft + k * kTabPitch;
}

}  // namespace

TForm2::TForm2(Platform& platform, SettingsStore& store, TForm1& dropWindow,
               ConflictingCommands conflicting)
    : DialogForm(platform.toolkit, "TForm2", "Quillmarten - 保存先フォルダ 登録", kClientWidth,
                 kClientHeight, std::move(conflicting)),
      interaction_(platform.interaction),
      files_(platform.files),
      store_(store),
      dropWindow_(dropWindow),
      edit1_(platform.toolkit, ControlKind::Edit, window_, nullptr, "Edit1"),
      edit2_(platform.toolkit, ControlKind::Edit, window_, nullptr, "Edit2"),
      button1_(platform.toolkit, ControlKind::Button, window_, nullptr, "Button1"),
      button2_(platform.toolkit, ControlKind::Button, window_, nullptr, "Button2"),
      button6_(platform.toolkit, ControlKind::Button, window_, nullptr, "Button6"),
      button3_(platform.toolkit, ControlKind::Button, window_, nullptr, "Button3"),
      button8_(platform.toolkit, ControlKind::Button, window_, nullptr, "Button8"),
      button7_(platform.toolkit, ControlKind::Button, window_, nullptr, "Button7"),
      button4_(platform.toolkit, ControlKind::Button, window_, nullptr, "Button4"),
      button5_(platform.toolkit, ControlKind::Button, window_, nullptr, "Button5"),
      listBox1_(platform.toolkit, ControlKind::ListBox, window_, nullptr, "ListBox1"),
      listBox2_(platform.toolkit, ControlKind::ListBox, window_, nullptr, "ListBox2"),
      panel1_(platform.toolkit, ControlKind::Panel, window_, nullptr, "Panel1"),
      label5_(platform.toolkit, ControlKind::Label, window_, &panel1_, "Label5"),
      listTabs_{Control(platform.toolkit, ControlKind::Button, window_, &panel1_, "Button9"),
                Control(platform.toolkit, ControlKind::Button, window_, &panel1_, "Button10"),
                Control(platform.toolkit, ControlKind::Button, window_, &panel1_, "Button11"),
                Control(platform.toolkit, ControlKind::Button, window_, &panel1_, "Button12"),
                Control(platform.toolkit, ControlKind::Button, window_, &panel1_, "Button13")},
      panel2_(platform.toolkit, ControlKind::Panel, window_, &panel1_, "Panel2"),
      button14_(platform.toolkit, ControlKind::Button, window_, nullptr, "Button14"),
      label1_(platform.toolkit, ControlKind::Label, window_, nullptr, "Label1"),
      label2_(platform.toolkit, ControlKind::Label, window_, nullptr, "Label2"),
      label3_(platform.toolkit, ControlKind::Label, window_, nullptr, "Label3") {
  buildLayout();
  wireHandlers();
  FormCreate();
}

void TForm2::buildLayout() {
  const auto place = [this](Control& control, Bounds bounds, const char* caption,
                            const char* hint) {
    placeAt(control, bounds);
    control.setCaption(caption);
    control.setHint(hint);
    control.setVisible(true);
  };
  place(panel1_, kStrip, "", "");
  panel1_.setBevel(Bevel::Lowered);
  place(label5_, kStripLabel, "フォルダリスト切替", "");
  Font tabFont = window_.font();
  tabFont.bold = true;
  for (int k = 0; k < kFolderListCount; ++k) {
    Control& tab = listTabs_[static_cast<std::size_t>(k)];
    place(tab, {tabLeft(k), kTabTop, kTabWidth, kTabHeight}, std::to_string(k + 1).c_str(), "");
    tab.setFont(tabFont);
  }
  place(panel2_, {0, 0, kMarkerWidth, kMarkerHeight}, "", "");
  panel2_.setColor(kMarkerColor);
  panel2_.setBevel(Bevel::Lowered);
  markShownList();
  place(button14_, kDeleteListButton, "リスト削除", "表示中のフォルダリストを削除します");
  button14_.setTabStop(false);

  place(label1_, kNameLabel, "フォルダ名", "");
  place(edit1_, kNameBox, "", "保存先フォルダの表示名を指定してください");
  edit1_.setMaxLength(kNameMaxLength);
  place(label2_, kPathLabel, "保存先", "");
  place(edit2_, kPathBox, "", "保存先フォルダパスを指定してください");
  edit2_.setMaxLength(kPathMaxLength);
  place(button1_, kBrowseButton, "参照...", "フォルダ選択ダイアログを開きます");

  place(label3_, kListLabel, "登録フォルダ一覧", "");
  place(listBox1_, kListBox, "", "");
  listBox2_.setVisible(false);
  Font arrowFont = window_.font();
  arrowFont.pointSize = kArrowPoints;
  place(button4_, kUpButton, "↑", "選択中のフォルダの順番を上に移動");
  button4_.setFont(arrowFont);
  place(button5_, kDownButton, "↓", "選択中のフォルダの順番を下に移動");
  button5_.setFont(arrowFont);
  place(button2_, kRegisterButton, "登　録", "指定したフォルダを登録します");
  place(button6_, kModifyButton, "修　正", "修正するフォルダを選択して押してください");
  place(button3_, kDeleteButton, "削　除", "削除するフォルダを選択して押してください");
  place(button8_, kCancelButton, "キャンセル", "修正内容を破棄してウィンドウを閉じます");
  place(button7_, kConfirmButton, "確　定", "このフォルダリストの修正内容を保存します");
}

void TForm2::wireHandlers() {
  window_.onShow = [this] { FormShow(); };
  window_.onCloseCommand = [this] { CloseCommand(); };
  listTabs_[0].onClick = [this] { Button9Click(); };
  listTabs_[1].onClick = [this] { Button10Click(); };
  listTabs_[2].onClick = [this] { Button11Click(); };
  listTabs_[3].onClick = [this] { Button12Click(); };
  listTabs_[4].onClick = [this] { Button13Click(); };
  listBox1_.onClick = [this] { ListBox1Click(); };
  button1_.onClick = [this] { Button1Click(); };
  button2_.onClick = [this] { Button2Click(); };
  button6_.onClick = [this] { Button6Click(); };
  button3_.onClick = [this] { Button3Click(); };
  button4_.onClick = [this] { Button4Click(); };
  button5_.onClick = [this] { Button5Click(); };
  button7_.onClick = [this] { Button7Click(); };
  button14_.onClick = [this] { Button14Click(); };
  button8_.onClick = [this] { Button8Click(); };
}

void TForm2::FormCreate() {
  store_.loadFolderLists();
}

void TForm2::FormShow() {
  browseFolder_ = kStartFolder;
  shownList_ = 0;
  changed_ = false;
  setConflictingCommandsEnabled(false);
  markShownList();
  // Without a settings file the editor starts from the folders the drop window offers now.
  const ConfirmedFolderLists& lists = store_.folderLists();
  showList(lists.settingsFileMissing ? store_.settings().slots : lists.lists[0]);
  applyTabAvailability();
  button14_.setEnabled(true);
}

void TForm2::showList(const FolderList& source) {
  edit1_.setCaption(source[0].shownName());
  edit2_.setCaption(source[0].shownPath());
  Texts names;
  Texts paths;
  // Free slots are skipped wherever they lie; the next Confirm packs the entries.
  for (const FolderSlot& slot : source) {
    if (slot.name.empty()) continue;
    names.push_back(slot.shownName());
    paths.push_back(slot.shownPath());
  }
  setWorkingCopy(std::move(names), std::move(paths), -1);
}

void TForm2::setWorkingCopy(Texts names, Texts paths, int selected) {
  listBox1_.setItems(names);
  listBox2_.setItems(paths);
  listBox1_.setItemIndex(selected);
}

void TForm2::applyTabAvailability() {
  for (std::size_t k = 1; k < listTabs_.size(); ++k) listTabs_[k].setEnabled(false);
  listTabs_[0].setEnabled(true);
  // Every existing list and the first one that does not exist yet can be reached.
  const auto last = static_cast<std::uint8_t>(store_.settings().lastListIndex);
  if (last >= kFolderListCount) {
    interaction_.messageBox("ありえないエラー！", kAppTitle, kMbOk);
    return;
  }
  const std::size_t reachable = std::min<std::size_t>(last + 1u, listTabs_.size() - 1);
  for (std::size_t k = 1; k <= reachable; ++k) listTabs_[k].setEnabled(true);
}

void TForm2::markShownList() {
  const Bounds& tab = listTabs_[static_cast<std::size_t>(shownList_)].bounds();
  const int offset = scale(kMarkerOffset, window_.dpi());
  panel2_.setLeft(tab.left - offset);
  panel2_.setTop(tab.top - offset);
  panel1_.setColor(look::listColor(shownList_));
}

void TForm2::switchToList(int k) {
  if (k == shownList_) return;
  if (store_.folderLists().settingsFileMissing) {
    interaction_.messageBox(
        "設定ファイルが見つかりません。\n一度確定して初期ファイルを作成してください。",
        kConfirmCaption, kMbOk | kMbIconInformation);
    return;
  }
  if (changed_ && interaction_.messageBox("データが変更されています。\n破棄してよろしいですか？",
                                          "確認画面", kMbOkCancel | kMbIconQuestion) != kIdOk) {
    return;
  }
  // A list that does not exist yet cannot be deleted.
  button14_.setEnabled(k <= store_.settings().lastListIndex);
  changed_ = false;
  shownList_ = static_cast<std::int8_t>(k);
  showList(store_.folderLists().lists[static_cast<std::size_t>(k)]);
  applyTabAvailability();
  markShownList();
}

void TForm2::ListBox1Click() {
  const int selected = listBox1_.itemIndex();
  if (selected < 0) return;
  edit1_.setCaption(listBox1_.itemTexts()[static_cast<std::size_t>(selected)]);
  edit2_.setCaption(listBox2_.itemTexts()[static_cast<std::size_t>(selected)]);
}

void TForm2::Button1Click() {
  const std::optional<EncodedText> chosen = interaction_.chooseFolder(browseFolder_);
  if (!chosen) return;
  browseFolder_ = *chosen;
  edit2_.setCaption(*chosen);
  // The last component; a drive root such as "C:\" has none.
  const std::size_t separator = text::findLastCharOf(chosen->bytes, "\\:", chosen->encoding);
  edit1_.setCaption(separator == std::string::npos
                        ? *chosen
                        : EncodedText{chosen->bytes.substr(separator + 1), chosen->encoding});
}

std::string TForm2::cp932Form(const EncodedText& text) const {
  return text.encoding == TextEncoding::Cp932 ? text.bytes : files_.cp932Likeness(text.bytes);
}

bool TForm2::fitsFields(const EncodedText& name, const EncodedText& path, const char* caption) {
  // Counted as the settings file holds them, in code page 932.
  if (cp932Form(name).size() >= kNameFieldBytes) {
    showError(kNameTooLongText, caption);
    return false;
  }
  if (cp932Form(path).size() >= kPathFieldBytes) {
    showError(kPathTooLongText, caption);
    return false;
  }
  return true;
}

void TForm2::Button2Click() {
  const EncodedText& name = edit1_.captionText();
  const EncodedText& path = edit2_.captionText();
  // Only an empty text counts as missing; blanks are a name like any other.
  if (name.bytes.empty() || path.bytes.empty()) {
    showError("登録データが設定されていません", kRegisterCaption);
    return;
  }
  Texts names = listBox1_.itemTexts();
  if (names.size() >= static_cast<std::size_t>(kSlotsPerList)) {
    showError("登録件数は" + std::to_string(kSlotsPerList) + "件までです", kRegisterCaption);
    return;
  }
  if (!fitsFields(name, path, kRegisterCaption)) return;
  Texts paths = listBox2_.itemTexts();
  names.push_back(name);
  paths.push_back(path);
  setWorkingCopy(std::move(names), std::move(paths), listBox1_.itemIndex());
  changed_ = true;
}

void TForm2::Button6Click() {
  const EncodedText& name = edit1_.captionText();
  const EncodedText& path = edit2_.captionText();
  if (name.bytes.empty() || path.bytes.empty()) {
    showError("修正データが設定されていません", kModifyCaption);
    return;
  }
  const int selected = listBox1_.itemIndex();
  if (selected < 0 || !fitsFields(name, path, kModifyCaption)) return;
  Texts names = listBox1_.itemTexts();
  Texts paths = listBox2_.itemTexts();
  names[static_cast<std::size_t>(selected)] = name;
  paths[static_cast<std::size_t>(selected)] = path;
  setWorkingCopy(std::move(names), std::move(paths), selected);
  changed_ = true;
}

void TForm2::Button3Click() {
  const int selected = listBox1_.itemIndex();
  if (selected < 0) return;
  Texts names = listBox1_.itemTexts();
  Texts paths = listBox2_.itemTexts();
  names.erase(names.begin() + selected);
  paths.erase(paths.begin() + selected);
  setWorkingCopy(std::move(names), std::move(paths), -1);
  changed_ = true;
}

void TForm2::Button4Click() {
  swapSelectedWith(-1);
}

void TForm2::Button5Click() {
  swapSelectedWith(+1);
}

void TForm2::swapSelectedWith(int offset) {
  const int selected = listBox1_.itemIndex();
  const int neighbour = selected + offset;
  const int count = static_cast<int>(listBox1_.items().size());
  if (selected < 0 || neighbour < 0 || neighbour >= count) return;
  Texts names = listBox1_.itemTexts();
  Texts paths = listBox2_.itemTexts();
  std::swap(names[static_cast<std::size_t>(selected)], names[static_cast<std::size_t>(neighbour)]);
  std::swap(paths[static_cast<std::size_t>(selected)], paths[static_cast<std::size_t>(neighbour)]);
  setWorkingCopy(std::move(names), std::move(paths), neighbour);
  changed_ = true;
}

void TForm2::Button7Click() {
  const Texts names = listBox1_.itemTexts();
  const Texts paths = listBox2_.itemTexts();
  if (names.empty()) {
    showError("データが設定されていません", kConfirmCaption);
    return;
  }
  const std::size_t shown = static_cast<std::size_t>(shownList_);
  const bool saved = store_.saveChange([&](Settings& settings, ConfirmedFolderLists& lists) {
    // Entries go to slots 1..n without gaps; the slots after them become free.
    FolderList& list = lists.lists[shown];
    for (std::size_t i = 0; i < list.size(); ++i) {
      const EncodedText name = i < names.size() ? names[i] : EncodedText();
      const EncodedText path = i < paths.size() ? paths[i] : EncodedText();
      spell(list[i].name, list[i].nameSpelling, name, cp932Form(name));
      spell(list[i].path, list[i].pathSpelling, path, cp932Form(path));
    }
    // Confirming on the tab after the last list is what brings a new list into existence.
    if (shownList_ > settings.lastListIndex) settings.lastListIndex = shownList_;
  });
  // The box has said it; the edits stay in the editor, unconfirmed, for another try.
  if (!saved) return;
  changed_ = false;
  if (interaction_.messageBox("登録フォルダを確定しました。\nフォルダ登録画面を閉じますか？",
                              "確定完了", kMbYesNo | kMbIconInformation) == kIdYes) {
    closeEditor();
    return;
  }
  applyTabAvailability();
  button14_.setEnabled(true);
}

void TForm2::Button14Click() {
  if (store_.settings().lastListIndex == 0) {
    showError("フォルダリストをすべて削除することはできません", "フォルダリスト削除エラー");
    return;
  }
  if (interaction_.messageBox("フォルダリストを削除します。\nよろしいですか？",
                              "フォルダリスト削除完了", kMbYesNo | kMbIconInformation) != kIdYes) {
    return;
  }
  const std::size_t shown = static_cast<std::size_t>(shownList_);
  const bool saved = store_.saveChange([shown](Settings& settings, ConfirmedFolderLists& lists) {
    // The lists after the deleted one move down by one; the last list becomes empty.
    for (std::size_t i = shown; i + 1 < lists.lists.size(); ++i) {
      lists.lists[i] = lists.lists[i + 1];
    }
    lists.lists.back() = FolderList{};
    settings.lastListIndex = static_cast<std::int8_t>(settings.lastListIndex - 1);
  });
  // The list the user was told is still there stays, and so does the editor with it.
  if (!saved) return;
  // The drop window goes back to list 1 and reads it again, even when list 1 was current.
  if (dropWindow_.currentFolderList() == 0) {
    dropWindow_.Refresh();
  } else {
    dropWindow_.SelectFolderList(0);
  }
  closeEditor();
}

void TForm2::Button8Click() {
  changed_ = false;
  closeEditor();
}

void TForm2::CloseCommand() {
  closeEditor();
}

void TForm2::closeEditor() {
  setWorkingCopy({}, {}, -1);
  setConflictingCommandsEnabled(true);
  window_.setVisible(false);
}

void TForm2::showError(const std::string& text, const char* caption) {
  interaction_.messageBox(text, caption, kMbOk | kMbIconError);
}

}  // namespace qm
