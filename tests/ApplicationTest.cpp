#include "shell/Application.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "platform/TrayIcon.h"
#include "platform/Window.h"

namespace qm {
namespace {

// Writes down, in one line of events, when each window is created and when the tray icon's
// visibility reaches the platform.
class StartupRecorder : public FakeToolkit {
 public:
  std::unique_ptr<WindowPeer> createPeer(Window& window) override {
    events.push_back(window.name());
    return FakeToolkit::createPeer(window);
  }
  std::unique_ptr<Peer> createPeer(TrayIcon& icon) override {
    return std::make_unique<IconPeer>(FakeToolkit::createPeer(icon), icon, events);
  }
  using FakeToolkit::createPeer;

  std::vector<std::string> events;

 private:
  class IconPeer : public Peer {
   public:
    IconPeer(std::unique_ptr<Peer> inner, TrayIcon& icon, std::vector<std::string>& events)
        : inner_(std::move(inner)), icon_(icon), events_(events) {}
    void apply(Prop changed) override {
      inner_->apply(changed);
      if (changed == Prop::Visible) events_.push_back(icon_.visible() ? "tray up" : "tray down");
    }

   private:
    std::unique_ptr<Peer> inner_;
    TrayIcon& icon_;
    std::vector<std::string>& events_;
  };
};

TEST(Application, StartsTheWindowsInOrderAndTheTrayIconLast) {
  const struct {
    bool settingsFile;
    std::vector<std::string> events;
  } cases[] = {
      {true, {"TForm1", "TForm2", "TForm3", "TForm4", "TForm5", "tray up"}},
      // The missing-file message comes while only the drop window exists.
      {false, {"TForm1", "message", "TForm2", "TForm3", "TForm4", "TForm5", "tray up"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.settingsFile ? "with settings file" : "without settings file");
    test::FakePlatform<StartupRecorder> fake;
    if (c.settingsFile) fake.folder.writeSettings(test::header(kSaveNumbered, kSizeSmall, 0), {});
    fake.interaction.duringModal = [&fake] { fake.toolkit.events.push_back("message"); };

    Application app(fake.platform);

    EXPECT_EQ(fake.toolkit.events, c.events);
    EXPECT_TRUE(app.trayMenu().TrayIcon1().visible());
    EXPECT_TRUE(app.Form1().Timer1().enabled());
    EXPECT_EQ(app.store().folderLists().settingsFileMissing, !c.settingsFile);
    EXPECT_EQ(std::filesystem::exists(fake.folder.settingsPath()), c.settingsFile);
    for (Window* window : fake.toolkit.windows()) EXPECT_FALSE(window->visible()) << window->name();
  }
}

}  // namespace
}  // namespace qm
