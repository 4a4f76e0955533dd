#include "dropwindow/Qmt.h"

#include <string>
#include <string_view>
#include <utility>

#include "dropwindow/DropWindowLook.h"
#include "settings/SettingsStore.h"

namespace qm {
namespace {

constexpr const char* kFontFace = "ＭＳ Ｐゴシック";
constexpr int kFontPoints = 9;
constexpr int kLabelFontPoints = 8;

constexpr int kWindowWidth = 114;

constexpr int kPanelLeft = 1;
constexpr int kPanelWidth = 112;

// Below the folder panels: the mode label and a margin; below that, when more than one folder list
// is in use, the tab strip.
constexpr int kRoomBelowPanels = 14;
constexpr int kLabelGap = 2;
constexpr int kLabelLeft = 16;
constexpr int kLabelHeight = 11;
constexpr int kLabelWidth = kPanelLeft + kPanelWidth - kLabelLeft;

constexpr int kStripLeft = 1;
constexpr int kStripWidth = 112;
constexpr int kStripHeight = 21;
constexpr int kLabelToStrip = 11;
constexpr int kRoomForStrip = kStripHeight;

constexpr int kFirstTabLeft = 2;
constexpr int kTabPitch = 21;
constexpr int kTabTop = 1;
constexpr int kTabWidth = 21;
constexpr int kTabHeight = 15;

// Without a settings file the window offers the one default folder at the small height.
constexpr const char* kDefaultFolderCaption = "C:直下";

template <std::size_t... I>
std::array<Control, sizeof...(I)> numberedPanels(Toolkit& toolkit, Window& window, Control* parent,
                                                 std::string_view prefix,
                                                 std::index_sequence<I...>) {
  return {Control(toolkit, ControlKind::Panel, window, parent,
                  std::string(prefix) + std::to_string(I + 1))...};
}

int tabLeft(std::size_t tab) {
  return kFirstTabLeft + static_cast<int>(tab) * kTabPitch;
}

}  // namespace

TForm1::TForm1(Platform& platform, SettingsStore& store, SettingsMarks& marks)
    : platform_(platform),
      store_(store),
      marks_(marks),
      window_(platform.toolkit, WindowStyle::DropTarget, "TForm1"),
      folderPanels_(numberedPanels(platform.toolkit, window_, nullptr, "Panel",
                                   std::make_index_sequence<kSlotsPerList>())),
      label1_(platform.toolkit, ControlKind::Label, window_, nullptr, "Label1"),
      buttonPanel_(platform.toolkit, ControlKind::Panel, window_, nullptr, "ButtonPanel"),
      tabs_(numberedPanels(platform.toolkit, window_, &buttonPanel_, "FLPanel",
                           std::make_index_sequence<kFolderListCount>())),
      timer1_(platform.toolkit, window_, kTickMs) {
  buildLayout();
  window_.onDragOver = [this](bool over) {
    dragOver = over;
    dragQuietTicks = 0;
  };
  timer1_.setEnabled(true);
  FormCreate();
}

void TForm1::buildLayout() {
  window_.setBounds({0, 0, kWindowWidth, 0});
  window_.setColor(kColorAppWorkspace);
  window_.setFont({kFontFace, kFontPoints});

  // Stacked at the small height; the first refresh puts them where the settings say.
  const int designHeight = look::panelHeight(kSizeSmall);
  for (std::size_t i = 0; i < folderPanels_.size(); ++i) {
    Control& panel = folderPanels_[i];
    panel.setBounds({kPanelLeft, static_cast<int>(i) * designHeight, kPanelWidth, designHeight});
    panel.setBevel(Bevel::Raised);
    panel.setFont({kFontFace, kFontPoints});
    panel.setVisible(true);
  }

  label1_.setBounds({kLabelLeft, 0, kLabelWidth, kLabelHeight});
  label1_.setColor(window_.color());
  label1_.setTextColor(kWhite);
  label1_.setFont({kFontFace, kLabelFontPoints});
  label1_.setVisible(true);

  buttonPanel_.setBounds({kStripLeft, 0, kStripWidth, kStripHeight});
  buttonPanel_.setBevel(Bevel::Single);
  buttonPanel_.setVisible(true);

  for (std::size_t k = 0; k < tabs_.size(); ++k) {
    Control& tab = tabs_[k];
    tab.setBounds({tabLeft(k), kTabTop, kTabWidth, kTabHeight});
    tab.setCaption(std::to_string(k + 1));
    tab.setColor(look::kTabLayoutFace);
    tab.setBevel(k < look::kTabsLoweredInLayout ? Bevel::Lowered : Bevel::Raised);
    tab.setFont({kFontFace, kFontPoints});
    tab.setVisible(true);
  }
}

const Settings& TForm1::settings() const {
  return store_.settings();
}

void TForm1::FormCreate() {
  currentList_ = 0;
  store_.computePath();
  Refresh();
}

void TForm1::Refresh() {
  // Registered again at every refresh, as the window has always done.
  window_.acceptDroppedFiles();
  pendingList_ = kNoPendingList;
  const bool fromFile = store_.loadSettings(currentList_) == SettingsStore::LoadResult::FromFile;
  layOutLabelAndTabs(fromFile ? layOutFolders() : layOutDefaultFolder());
}

int TForm1::layOutFolders() {
  const Settings& s = settings();
  // The folders offered end at the first slot without a destination path.
  std::size_t offered = 0;
  while (offered < s.slots.size() && !s.slots[offered].path.empty()) ++offered;

  const int height = look::panelHeight(s.dropWindowSize);
  for (std::size_t i = 0; i < folderPanels_.size(); ++i) {
    Control& panel = folderPanels_[i];
    panel.setVisible(i < offered);
    if (i >= offered) continue;
    const std::string name = s.slots[i].name.str();
    panel.setCaption(name);
    panel.setFontSize(look::captionPoints(name.size()));
    panel.setBounds({kPanelLeft, static_cast<int>(i) * height, kPanelWidth, height});
  }

  const int columnHeight = static_cast<int>(offered) * folderPanels_[0].bounds().height;
  const int stripRoom = s.lastListIndex != 0 ? kRoomForStrip : 0;
  window_.setHeight(columnHeight + kRoomBelowPanels + stripRoom);
  markSettings();
  return columnHeight + kLabelGap;
}

int TForm1::layOutDefaultFolder() {
  Control& first = folderPanels_[0];
  first.setCaption(kDefaultFolderCaption);
  first.setHeight(look::panelHeight(kSizeSmall));
  window_.setHeight(first.bounds().height + kRoomBelowPanels);
  // The panels after the second keep their state: they lie below the window's bottom edge.
  folderPanels_[1].setVisible(false);
  markSettings();
  return first.bounds().height + kLabelGap;
}

void TForm1::layOutLabelAndTabs(int labelTop) {
  const Settings& s = settings();
  label1_.setLeft(kLabelLeft);
  label1_.setTop(labelTop);
  label1_.setCaption(look::modeText(s.saveMode));

  buttonPanel_.setLeft(kStripLeft);
  buttonPanel_.setTop(labelTop + kLabelToStrip);

  // One tab per folder list in use; a single list needs none.
  const int lastList = s.lastListIndex;
  const bool tabsShown = lastList >= 1 && lastList < kFolderListCount;
  for (std::size_t k = 0; k < tabs_.size(); ++k) {
    tabs_[k].setLeft(tabLeft(k));
    tabs_[k].setVisible(tabsShown && static_cast<int>(k) <= lastList);
  }
}

void TForm1::markSettings() {
  marks_.markSaveMode(settings().saveMode);
  marks_.markDropWindowSize(settings().dropWindowSize);
}

void TForm1::SelectNextFolderList() {
  const int next = currentList_ + 1;
  const bool wraps = next > settings().lastListIndex || next >= kFolderListCount;
  currentList_ = static_cast<std::int8_t>(wraps ? 0 : next);
  Refresh();
}

void TForm1::SelectFolderList(std::int8_t n) {
  if (n == currentList_ || n < 0 || n >= kFolderListCount) return;
  currentList_ = n;
  Refresh();
}

void TForm1::PaintTabs(bool hover) {
  for (std::size_t k = 0; k < tabs_.size(); ++k) {
    const bool current = static_cast<int>(k) == currentList_;
    const bool highlighted = current && hover;
    Control& tab = tabs_[k];
    tab.setColor(highlighted ? look::kHoverTabFace : look::kTabFace);
    tab.setBevel(current ? Bevel::Lowered : Bevel::Raised);
    tab.setTextColor(highlighted ? look::kHoverTabText : look::kTabText);
  }
}

}  // namespace qm
