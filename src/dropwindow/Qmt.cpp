#include "dropwindow/Qmt.h"

#include <string>
#include <string_view>
#include <utility>

#include "dropwindow/DropWindowLook.h"
#include "platform/Dpi.h"
#include "settings/SettingsStore.h"
#include "text/Cp932.h"

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
  window_.onDpiChanged = [this] { layOutForDpi(); };
  window_.onDragOver = [this](bool over) {
    dragOver = over;
    dragQuietTicks = 0;
  };
  timer1_.setEnabled(true);
  FormCreate();
}

void TForm1::buildLayout() {
  window_.setColor(kColorAppWorkspace);
  window_.setFont({kFontFace, kFontPoints});

  for (Control& panel : folderPanels_) {
    panel.setBevel(Bevel::Raised);
    panel.setFont({kFontFace, kFontPoints});
    panel.setVisible(true);
  }

  label1_.setColor(window_.color());
  label1_.setTextColor(kWhite);
  label1_.setFont({kFontFace, kLabelFontPoints});
  label1_.setVisible(true);

  buttonPanel_.setBevel(Bevel::Single);
  buttonPanel_.setVisible(true);

  for (std::size_t k = 0; k < tabs_.size(); ++k) {
    Control& tab = tabs_[k];
    tab.setCaption(std::to_string(k + 1));
    tab.setColor(look::kTabLayoutFace);
    tab.setBevel(k < look::kTabsLoweredInLayout ? Bevel::Lowered : Bevel::Raised);
    tab.setFont({kFontFace, kFontPoints});
    tab.setVisible(true);
  }
  layOutFixedParts();
}

void TForm1::layOutFixedParts() {
  window_.setWidth(px(kWindowWidth));
  // Stacked at the small height; the next refresh puts them where the settings say.
  const int designHeight = px(look::panelHeight(kSizeSmall));
  for (std::size_t i = 0; i < folderPanels_.size(); ++i) {
    folderPanels_[i].setBounds(
        {px(kPanelLeft), static_cast<int>(i) * designHeight, px(kPanelWidth), designHeight});
  }
  label1_.setBounds({px(kLabelLeft), 0, px(kLabelWidth), px(kLabelHeight)});
  buttonPanel_.setBounds({px(kStripLeft), 0, px(kStripWidth), px(kStripHeight)});
  for (std::size_t k = 0; k < tabs_.size(); ++k) {
    tabs_[k].setBounds({tabLeft(k), px(kTabTop), px(kTabWidth), px(kTabHeight)});
  }
}

void TForm1::layOutForDpi() {
  layOutFixedParts();
  layOut();
}

int TForm1::px(int length) const {
  return scale(length, window_.dpi());
}

int TForm1::tabLeft(std::size_t tab) const {
  // Whole tabs apart, so that the tabs meet edge to edge at every density.
  return px(kFirstTabLeft) + static_cast<int>(tab) * px(kTabPitch);
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
  fromFile_ = store_.loadSettings(currentList_) == SettingsStore::LoadResult::FromFile;
  layOut();
}

void TForm1::layOut() {
  layOutLabelAndTabs(fromFile_ ? layOutFolders() : layOutDefaultFolder());
}

int TForm1::layOutFolders() {
  const Settings& s = settings();
  // The folders offered end at the first slot without a destination path.
  std::size_t offered = 0;
  while (offered < s.slots.size() && !s.slots[offered].path.empty()) ++offered;

  const int height = px(look::panelHeight(s.dropWindowSize));
  for (std::size_t i = 0; i < folderPanels_.size(); ++i) {
    Control& panel = folderPanels_[i];
    panel.setVisible(i < offered);
    if (i >= offered) continue;
    const EncodedText name = s.slots[i].shownName();
    panel.setCaption(name);
    panel.setFontSize(look::captionPoints(text::columns(name.bytes, name.encoding)));
    panel.setBounds({px(kPanelLeft), static_cast<int>(i) * height, px(kPanelWidth), height});
  }

  const int columnHeight = static_cast<int>(offered) * folderPanels_[0].bounds().height;
  const int stripRoom = s.lastListIndex != 0 ? px(kRoomForStrip) : 0;
  window_.setHeight(columnHeight + px(kRoomBelowPanels) + stripRoom);
  markSettings();
  return columnHeight + px(kLabelGap);
}

int TForm1::layOutDefaultFolder() {
  Control& first = folderPanels_[0];
  first.setCaption(kDefaultFolderCaption);
  first.setHeight(px(look::panelHeight(kSizeSmall)));
  window_.setHeight(first.bounds().height + px(kRoomBelowPanels));
  // The panels after the second keep their state: they lie below the window's bottom edge.
  folderPanels_[1].setVisible(false);
  markSettings();
  return first.bounds().height + px(kLabelGap);
}

void TForm1::layOutLabelAndTabs(int labelTop) {
  const Settings& s = settings();
  label1_.setLeft(px(kLabelLeft));
  label1_.setTop(labelTop);
  label1_.setCaption(look::modeText(s.saveMode));

  buttonPanel_.setLeft(px(kStripLeft));
  buttonPanel_.setTop(labelTop + px(kLabelToStrip));

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
