#include <gtest/gtest.h>

#include <functional>
#include <list>

#include "platform/Control.h"
#include "platform/Menu.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "platform/fake/FakeToolkit.h"

namespace qm {
namespace {

struct Seam : ::testing::Test {
  FakeToolkit toolkit;
  Window window{toolkit, WindowStyle::DropTarget, "TForm1"};
  Control panel{toolkit, ControlKind::Panel, window, nullptr, "Panel1"};
};

// Each setter, called twice with the same value: only the first call may reach the peer.
TEST_F(Seam, AnUnchangedPropertyNeverReachesThePeer) {
  const struct {
    const char* what;
    Prop prop;
    std::function<void(Control&)> set;
  } cases[] = {
      {"caption", Prop::Caption, [](Control& c) { c.setCaption("C:直下"); }},
      {"visible", Prop::Visible, [](Control& c) { c.setVisible(true); }},
      {"enabled", Prop::Enabled, [](Control& c) { c.setEnabled(false); }},
      {"bounds", Prop::Bounds,
       [](Control& c) {
         c.setBounds({1, 33, 112, 33});
       }},
      {"top", Prop::Bounds, [](Control& c) { c.setTop(398); }},
      {"colour", Prop::Color, [](Control& c) { c.setColor(kWhite); }},
      {"text colour", Prop::TextColor, [](Control& c) { c.setTextColor(rgb(255, 0, 0)); }},
      {"font size", Prop::Font, [](Control& c) { c.setFontSize(7); }},
      {"bevel", Prop::Bevel, [](Control& c) { c.setBevel(Bevel::Lowered); }},
      {"items", Prop::Items,
       [](Control& c) {
         c.setItems({"a", "b"});
       }},
      {"item index", Prop::ItemIndex, [](Control& c) { c.setItemIndex(1); }},
      {"max length", Prop::MaxLength, [](Control& c) { c.setMaxLength(26); }},
      {"hint", Prop::Hint, [](Control& c) { c.setHint("ヒント"); }},
  };
  std::list<Control> controls;  // kept alive: the fake tells peers apart by address
  for (const auto& c : cases) {
    Control& control =
        controls.emplace_back(toolkit, ControlKind::ListBox, window, nullptr, c.what);
    c.set(control);
    c.set(control);
    EXPECT_EQ(toolkit.updates(&control, c.prop), 1) << c.what;
    EXPECT_EQ(toolkit.updates(&control), 1) << c.what;
  }
}

TEST_F(Seam, FontSizeOnlyChangesTheSize) {
  panel.setFont({"ＭＳ Ｐゴシック", 9});
  panel.setFontSize(9);
  EXPECT_EQ(toolkit.updates(&panel, Prop::Font), 1);
  panel.setFontSize(8);
  EXPECT_EQ(panel.font().face, "ＭＳ Ｐゴシック");
  EXPECT_EQ(panel.font().pointSize, 8);
  EXPECT_EQ(toolkit.updates(&panel, Prop::Font), 2);
}

TEST_F(Seam, ACheckBoxRunsItsClickWhenItsStateChanges) {
  Control box(toolkit, ControlKind::CheckBox, window, nullptr, "CheckBox8");
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.setChecked(false);  // unchanged: no click
  box.setChecked(true);
  box.takeUserChecked(false);  // the user's own click
  EXPECT_EQ(clicks, 2);
  // The user's change is already on screen: only the program's change reaches the peer.
  EXPECT_EQ(toolkit.updates(&box, Prop::Checked), 1);
}

TEST_F(Seam, ARadioGroupClicksOnAChangeAListBoxOnEveryUserClick) {
  Control radio(toolkit, ControlKind::RadioGroup, window, nullptr, "RadioGroup1");
  Control list(toolkit, ControlKind::ListBox, window, nullptr, "ListBox1");
  int radioClicks = 0;
  int listClicks = 0;
  radio.onClick = [&] { ++radioClicks; };
  list.onClick = [&] { ++listClicks; };
  radio.setItemIndex(1);
  radio.setItemIndex(1);
  radio.takeUserItemIndex(1);
  list.setItemIndex(0);  // the program selecting: no click
  list.takeUserItemIndex(0);
  list.takeUserItemIndex(0);
  EXPECT_EQ(radioClicks, 1);
  EXPECT_EQ(listClicks, 2);
}

TEST_F(Seam, ShowingAHiddenWindowRunsOnShowOnce) {
  int shows = 0;
  window.onShow = [&] { ++shows; };
  window.setVisible(true);
  window.setVisible(true);
  window.setVisible(false);
  window.setVisible(true);
  EXPECT_EQ(shows, 2);
}

TEST_F(Seam, MenuItemsAndTimersOnlyPassOnChanges) {
  MenuItem root(toolkit, MenuItemKind::Popup, nullptr, "PopupMenu1", "");
  MenuItem item(toolkit, MenuItemKind::CheckItem, &root, "N5", "普通");
  Timer timer(toolkit, window, 50);
  item.setChecked(true);
  item.setChecked(true);
  item.setEnabled(true);  // already enabled
  timer.setEnabled(true);
  timer.setEnabled(true);
  EXPECT_EQ(toolkit.updates(&item), 1);
  EXPECT_EQ(toolkit.updates(&timer), 1);
  ASSERT_EQ(root.items().size(), 1u);
  EXPECT_EQ(root.items()[0], &item);
}

}  // namespace
}  // namespace qm
