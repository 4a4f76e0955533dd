#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogTestSupport.h"

namespace qm {
namespace {

using test::click;
using test::header;

class AboutAndExclusionTest : public test::DialogTest {
 protected:
  Application& start() { return test::DialogTest::start(header(kSaveNumbered, kSizeSmall, 0), {}); }
  std::vector<std::string> enabledCommands() {
    std::vector<std::string> names;
    for (const MenuItem* item : app_->trayMenu().PopupMenu1().items()) {
      if (item->enabled() && item->kind() != MenuItemKind::Separator) {
        names.push_back(item->name());
      }
    }
    return names;
  }
};

TEST_F(AboutAndExclusionTest, AboutDialogOpensTheSupportPageAndStaysOpen) {
  Application& app = start();
  app.trayMenu().N7().onClick();
  TForm3& about = app.Form3();
  EXPECT_TRUE(about.window().visible());

  for (int i = 0; i < 3; ++i) click(about.Button2());
  const std::string page = "iexplore.exe https://quillmarten.example/support/";
  EXPECT_EQ(fake_.interaction.executed, (std::vector<std::string>{page, page, page}));
  EXPECT_TRUE(about.window().visible());

  click(about.Button1());
  EXPECT_FALSE(about.window().visible());
  // The about dialog leaves every tray command available.
  EXPECT_EQ(enabledCommands().size(), 7u);
}

TEST_F(AboutAndExclusionTest, DialogsLayThemselvesOutAgainForAnotherDensity) {
  Application& app = start();
  const struct {
    const char* what;
    Window& window;
    Control& control;
    Bounds client96;
    Bounds control96;
    Bounds client144;
    Bounds control144;
  } cases[] = {
      {"editor's list marker",
       app.Form2().window(),
       app.Form2().Panel2(),
       {0, 0, 549, 298},
       {116, 4, 64, 25},
       {0, 0, 824, 447},
       {174, 6, 96, 38}},
      {"about's close button",
       app.Form3().window(),
       app.Form3().Button1(),
       {0, 0, 292, 117},
       {196, 82, 84, 25},
       {0, 0, 438, 176},
       {294, 123, 126, 38}},
      {"properties' OK button",
       app.Form5().window(),
       app.Form5().Button1(),
       {0, 0, 519, 461},
       {351, 426, 75, 25},
       {0, 0, 779, 692},
       {527, 639, 113, 38}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.window.bounds(), c.client96);
    EXPECT_EQ(c.control.bounds(), c.control96);
    c.window.takeDpi(144);
    EXPECT_EQ(c.window.bounds(), c.client144);
    EXPECT_EQ(c.control.bounds(), c.control144);
    c.window.takeDpi(96);
    EXPECT_EQ(c.window.bounds(), c.client96);
    EXPECT_EQ(c.control.bounds(), c.control96);
  }
}

TEST_F(AboutAndExclusionTest, EachDialogDisablesTheCommandsThatConflictWithIt) {
  const std::vector<std::string> all{"N11", "N21", "N31", "N8", "N7", "StartWithWindows", "E1"};
  struct Way {
    const char* what;
    void (*close)(Application&);
  };
  const struct {
    const char* dialog;
    MenuItem& (TrayMenu::*command)();
    std::vector<std::string> whileOpen;
    std::vector<Way> closings;
  } cases[] = {
      {"editor",
       &TrayMenu::N11,
       {"N11", "N7", "StartWithWindows", "E1"},
       {{"cancel", [](Application& a) { click(a.Form2().Button8()); }},
        {"close box", [](Application& a) { a.Form2().CloseCommand(); }},
        {"confirm, yes",
         [](Application& a) {
           test::type(a.Form2().Edit1(), "x");
           test::type(a.Form2().Edit2(), "C:\\x");
           click(a.Form2().Button2());
           click(a.Form2().Button7());
         }}}},
      {"properties",
       &TrayMenu::N8,
       {"N8", "N7", "StartWithWindows", "E1"},
       {{"OK", [](Application& a) { click(a.Form5().Button1()); }},
        {"cancel", [](Application& a) { click(a.Form5().Button2()); }},
        {"close box", [](Application& a) { a.Form5().CloseCommand(); }}}},
  };
  Application& app = start();
  for (const auto& c : cases) {
    for (const Way& way : c.closings) {
      SCOPED_TRACE(std::string(c.dialog) + ", " + way.what);
      answer({6});  // Yes to the question after Confirm
      (app.trayMenu().*c.command)().onClick();
      EXPECT_EQ(enabledCommands(), c.whileOpen);
      way.close(app);
      EXPECT_EQ(enabledCommands(), all);
    }
  }
  EXPECT_FALSE(app.Form2().window().visible());
  EXPECT_FALSE(app.Form5().window().visible());
}

}  // namespace
}  // namespace qm
