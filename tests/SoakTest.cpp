// A soak of the drag watcher and the drop handler over the fake platform: a seeded stream of
// random input (the pointer anywhere, far outside the display too; keys and the button; titles
// of browsers and of other windows), drops of files and of virtual files in every save mode,
// settings saves from the tray menu and settings files rewritten underneath, some of them
// garbage. Invariants are checked after every tick, also the ticks that run inside a box.
// QM_SOAK_TICKS and QM_SOAK_SEED choose the length and the stream (scripts/soak.sh).
#include <gtest/gtest.h>

#include <time.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <map>
#include <set>

#include "DropTestSupport.h"
#include "SoakWatchers.h"
#include "platform/Keys.h"
#include "platform/Win32Codes.h"
#include "platform/fake/FakeUserRegistry.h"
#include "platform/fake/FakeVirtualFile.h"
#include "platform/fake/FakeWorker.h"

namespace qm {
namespace {

using test::SoakFiles;
using test::SoakInteraction;
namespace fs = std::filesystem;
using State = DragWatcher::State;

std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::strtoull(value, nullptr, 10) : fallback;
}

// Everything a tick reads from the input, to tell a tick that sees the same world as the last.
struct Seen {
  std::set<int> held, reported;
  std::optional<Point> cursor;
  std::optional<std::string> title;
  friend bool operator==(const Seen&, const Seen&) = default;
};

constexpr int kKeys[] = {vk::kTab,     vk::kShift,       vk::kLeftControl, vk::kRightControl,
                         vk::kF12,     vk::kDigit1,      vk::kDigit1 + 1,  vk::kDigit1 + 4,
                         vk::kNumpad1, vk::kNumpad1 + 2, vk::kNumpad1 + 4};
const char* const kTitles[] = {
    "写真 - Mozilla Firefox", "Google Chrome", "メモ帳", "firefox", "Opera", ""};
// Names as browsers give them: cache brackets, double-byte characters whose trail byte is "\",
// "[" or "]", no dot, several dots.
const char* const kNameParts[] = {"photo", "[1]", "[12]", "]",    "[", ".", "jpg",  "表",
                                  "ソ",    "能",  "ポ",   "画像", "a", "_", ".png", " "};

class Soak {
 public:
  explicit Soak(std::uint64_t seed) : random_(seed) {
    for (const char* name : {"a", "b", "c", "src", "parked"}) fs::create_directory(root() / name);
    files_.settingsFile = folder_.settingsPath();
    for (const char* name : {"a", "b", "c", "gone"}) files_.registered.insert(root() / name);
    writeImage(randomImage());
    app_.emplace(platform_);
    files_.form = &app_->Form1();
    interaction_.duringModal = [this] { modalTicks(); };
  }

  void run(std::uint64_t ticks) {
    for (std::uint64_t i = 0; i < ticks && violations_.size() < 10; ++i) {
      step();
      if (i % 2000 == 1999) clearFolders();
      if (i % 1000 == 0) scanTree();
    }
    scanTree();
  }

  const std::vector<std::string>& violations() const { return violations_; }
  std::string figures() const {
    return std::to_string(ticks_) + " ticks (" + std::to_string(nestedTicks_) + " inside boxes), " +
           std::to_string(drops_) + " drops, " + std::to_string(files_.savedCopies) +
           " copies saved, " + std::to_string(files_.settingsSaves) + " settings saves, " +
           std::to_string(rewrites_) + " settings files rewritten, " +
           std::to_string(steadyChecks_) + " steady shown ticks";
  }

 private:
  fs::path root() const { return folder_.path(); }
  TForm1& form() { return app_->Form1(); }
  bool chance(unsigned perMille) { return random_() % 1000 < perMille; }
  template <typename T, std::size_t N>
  const T& pick(const T (&items)[N]) {
    return items[random_() % N];
  }

  void violation(const std::string& what) {
    if (violations_.size() < 10) {
      violations_.push_back("tick " + std::to_string(ticks_) + ": " + what);
    }
  }

  void step() {
    changeInput();
    tick(false);
    if (inModal_) return;
    const bool shown = form().window().visible();
    if (shown && chance(30)) dropFiles();
    if (shown && chance(15)) dropThroughOle();
    if (chance(3)) saveFromTheTrayMenu();
    if (chance(2)) rewriteSettings();
  }

  // ---- input ----

  // A coordinate from just before `start` to just past its `length`, within the coordinates.
  std::int32_t near(std::int32_t start, std::int32_t length) {
    const std::int64_t at = std::int64_t{start} - 5 +
                            static_cast<std::int64_t>(random_() % (std::uint64_t(length) + 10));
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        at, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
  }

  Point anywhere() {
    const Bounds& screen = input_.monitors.front();
    const Bounds& window = form().window().bounds();
    switch (random_() % 8) {
      case 0:  // at an edge or beyond it
        return {static_cast<std::int32_t>(random_() % 3) * (screen.width - 1) +
                    static_cast<std::int32_t>(random_() % 41) - 20,
                static_cast<std::int32_t>(random_() % screen.height)};
      case 1:
        return {static_cast<std::int32_t>(random_() % screen.width),
                static_cast<std::int32_t>(random_() % 3) * (screen.height - 1)};
      case 2:  // far outside, up to the coordinates' limits
        return {static_cast<std::int32_t>(random_()), static_cast<std::int32_t>(random_())};
      case 3:
      case 4:
      case 5:  // over the drop window, its panels and its tab strip, wherever it was placed
        return {near(window.left, window.width), near(window.top, window.height)};
      default:
        return {static_cast<std::int32_t>(random_() % screen.width),
                static_cast<std::int32_t>(random_() % screen.height)};
    }
  }

  void changeInput() {
    input_.reported.clear();  // a press is reported once
    if (!chance(150)) return;
    switch (random_() % 9) {
      case 0:
        input_.cursor = anywhere();
        break;
      case 1:  // the road of one drag: the button down over a browser, the pointer at an edge
        input_.held.insert(vk::kLeftButton);
        input_.title = kTitles[random_() % 3];
        input_.cursor =
            Point{static_cast<std::int32_t>(random_() % 2) * (input_.monitors.front().width - 1),
                  static_cast<std::int32_t>(random_() % input_.monitors.front().height)};
        break;
      case 2:
        if (input_.cursor && std::abs(std::int64_t{input_.cursor->y}) < (1 << 30)) {
          input_.cursor->y += static_cast<std::int32_t>(random_() % 17) - 8;  // a small stroke
        }
        break;
      case 3:
        if (input_.held.count(vk::kLeftButton)) {
          input_.held.erase(vk::kLeftButton);
        } else {
          input_.held.insert(vk::kLeftButton);
        }
        break;
      case 4: {
        const int key = pick(kKeys);
        if (chance(300)) {  // let go of every key, so that keys are not held for ever
          const bool button = input_.held.count(vk::kLeftButton) != 0;
          input_.held.clear();
          if (button) input_.held.insert(vk::kLeftButton);
        } else if (!input_.held.erase(key)) {
          input_.held.insert(key);
        }
        break;
      }
      case 5:
        input_.reported.insert(pick(kKeys));
        break;
      case 6:
        input_.title = chance(100) ? std::nullopt : std::optional<std::string>(pick(kTitles));
        break;
      default:
        input_.cursor = chance(50) ? std::nullopt : std::optional(anywhere());
        break;
    }
  }

  // ---- ticks and their invariants ----

  int dropWindowUpdates() {
    int total = toolkit_.updates(&form().window()) + toolkit_.updates(&form().Label1()) +
                toolkit_.updates(&form().ButtonPanel());
    for (Control& panel : form().folderPanels()) total += toolkit_.updates(&panel);
    for (Control& tab : form().tabs()) total += toolkit_.updates(&tab);
    return total;
  }

  bool listKeyHeld() const {
    for (int list = 0; list < kFolderListCount; ++list) {
      if (input_.held.count(vk::kDigit1 + list) || input_.held.count(vk::kNumpad1 + list)) {
        return true;
      }
    }
    return false;
  }

  void tick(bool nested) {
    ++ticks_;
    nestedTicks_ += nested;
    const Seen seen{input_.held, input_.reported, input_.cursor, input_.title};
    sameInputTicks_ = seen == lastSeen_ ? sameInputTicks_ + 1 : 0;
    lastSeen_ = seen;
    const State before = app_->watcher().state();
    const bool visibleBefore = form().window().visible();
    const bool busy = form().dropsBusy;
    const int updatesBefore = dropWindowUpdates();

    form().Timer1().onTimer();

    const State after = app_->watcher().state();
    const bool moves = before == after || (before == State::Idle && after == State::Shown) ||
                       (before == State::Shown && after == State::Hiding) ||
                       (before == State::Hiding && after == State::Idle);
    if (!moves) {
      violation("the watcher went from " + std::to_string(static_cast<int>(before)) + " to " +
                std::to_string(static_cast<int>(after)));
    }
    if (busy && visibleBefore && !form().window().visible()) {
      violation("the drop window was hidden while a drop was busy");
    }
    // Enough ticks for the tab dwell to have run its course: nothing may change any more. Not
    // with a list key held, though: when the pointer rests where the tab strip of the key's list
    // lies, the dwell's selection (which the list keys' table puts first) and the key take turns,
    // each list's layout moving the strip away from the pointer or under it again.
    const bool steady = before == State::Shown && after == State::Shown &&
                        sameInputTicks_ > DragWatcher::kHoverDwellTicks + 2 && !eventSince_ &&
                        !listKeyHeld();
    if (steady) {
      ++steadyChecks_;
      if (dropWindowUpdates() != updatesBefore) violation("a steady shown tick updated a peer");
    }
    if (sameInputTicks_ == 0) eventSince_ = false;
  }

  // Ticks keep coming inside a box or the save dialog, with the user moving on.
  void modalTicks() {
    const bool outer = inModal_;
    inModal_ = true;
    const unsigned count = static_cast<unsigned>(random_() % 4);
    for (unsigned i = 0; i < count; ++i) {
      changeInput();
      tick(true);
    }
    inModal_ = outer;
    eventSince_ = true;
  }

  // ---- drops ----

  std::string randomName() {
    std::string name;
    const unsigned parts = 1 + static_cast<unsigned>(random_() % 6);
    for (unsigned i = 0; i < parts; ++i) name += pick(kNameParts);
    // Too long for a path in any program folder, whatever the length of its name, so that a
    // seed replays the same way everywhere.
    if (chance(20)) name += std::string(kMaxPath - root().string().size(), 'x');
    return name;
  }

  std::string sourceFile() {
    const std::string name = randomName();
    std::ofstream(root() / "src" / name, std::ios::binary) << "dropped " << drops_;
    return (root() / "src").string() + "\\" + name;
  }

  void dropFiles() {
    ++drops_;
    eventSince_ = true;
    std::vector<EncodedText> paths;
    const unsigned count = static_cast<unsigned>(random_() % 4);
    for (unsigned i = 0; i < count; ++i) paths.push_back(chance(100) ? "" : sourceFile());
    test::FakeDroppedFiles dropped(std::move(paths), form().dropsBusy);
    form().window().onDropFiles(dropped);
    if (form().dropsBusy) violation("the drop-busy flag stayed up after a drop");
    if (dropped.finished != 1) violation("a dropped-file list was not released once");
    scanTree();
  }

  void dropThroughOle() {
    ++drops_;
    eventSince_ = true;
    TakenDrop taken;
    if (chance(300)) {
      taken.filePath = sourceFile();
    } else {
      // "..\사진[1].png": a way out of the folder, and a name code page 932 cannot hold.
      taken.virtualName = chance(200) ? "..\\\xEC\x82\xAC\xEC\xA7\x84[1].png" : randomName();
      if (chance(100)) {
        taken.contentError = 38;
      } else {
        taken.content = std::make_unique<FakeVirtualFile>(
            files_, root() / "parked" / std::to_string(drops_), "virtual bytes");
      }
    }
    form().window().onOleDrop([&taken](std::uint64_t) { return std::move(taken); });
    // The loop may run a tick or two before it gets to the posted save.
    const unsigned ticks = static_cast<unsigned>(random_() % 3);
    for (unsigned i = 0; i < ticks; ++i) {
      changeInput();
      tick(false);
    }
    toolkit_.runPosted();
    if (form().dropsBusy) violation("the drop-busy flag stayed up after an OLE drop");
    scanTree();
  }

  // ---- settings ----

  void saveFromTheTrayMenu() {
    eventSince_ = true;
    TrayMenu& menu = app_->trayMenu();
    MenuItem* items[] = {&menu.N1(), &menu.N2(), &menu.N3(), &menu.N4(), &menu.N5(), &menu.N6()};
    items[random_() % 6]->onClick();
    scanTree();
  }

  settings_file::Image randomImage() {
    Settings header;
    header.saveMode = static_cast<std::int16_t>(random_() % 3);
    header.dropWindowSize = static_cast<std::int16_t>(random_() % 3);
    // Any switches, but the right edge stays on: a file that turns every switch off would hold
    // the soak without a drop window for as long as the tray saves write its flags back.
    header.switchFlags = static_cast<std::uint8_t>(random_() % 4 == 0 ? random_() : 0) &
                         static_cast<std::uint8_t>(~switch_flags::kRightEdgeOff);
    header.lastListIndex = static_cast<std::int8_t>(random_() % 5);
    header.soundPath.assign(chance(300) ? "C:\\saved.wav" : "");
    ConfirmedFolderLists lists;
    const char* const folders[] = {"a", "b", "c", "gone"};
    for (FolderList& list : lists.lists) {
      const std::size_t used = random_() % 13;
      for (std::size_t i = 0; i < used; ++i) {
        list[i].name.assign(pick(kNameParts));
        list[i].path.assign((root() / pick(folders)).string());
      }
    }
    return settings_file::buildImage(header, lists);
  }

  // A valid file, or one cut short, with its header and texts scrambled; its folders stay those
  // of the program folder, so that what the program writes stays in the temporary tree.
  std::vector<std::uint8_t> garbage() {
    const settings_file::Image image = randomImage();
    std::vector<std::uint8_t> bytes(image.begin(), image.end());
    std::size_t cut = random_() % (bytes.size() + 1);
    // A cut inside a folder path would leave part of a new path over the end of an old one,
    // which may name any folder of the machine: cut at the end of that slot instead.
    const std::size_t inSlot = (cut - settings_file::kListsOffset) % settings_file::kSlotSize;
    if (cut > settings_file::kListsOffset && cut < settings_file::kSoundPathOffset &&
        inSlot > settings_file::kNameSize) {
      cut += settings_file::kSlotSize - inSlot;
    }
    bytes.resize(cut);
    for (std::size_t i = 0; i < std::min<std::size_t>(bytes.size(), 16); ++i) {
      if (chance(500)) bytes[i] = static_cast<std::uint8_t>(random_());
    }
    if (bytes.size() > settings_file::kSwitchFlagsOffset) {  // the right edge stays on, as above
      bytes[settings_file::kSwitchFlagsOffset] &=
          static_cast<std::uint8_t>(~switch_flags::kRightEdgeOff);
    }
    for (std::size_t slot = 0; slot < 60; ++slot) {
      const std::size_t name = settings_file::kListsOffset + slot * settings_file::kSlotSize;
      for (std::size_t i = name; i < name + settings_file::kNameSize && i < bytes.size(); ++i) {
        if (chance(200)) bytes[i] = static_cast<std::uint8_t>(random_());
      }
    }
    return bytes;
  }

  void writeImage(const settings_file::Image& image) {
    writeBytes(std::vector<std::uint8_t>(image.begin(), image.end()));
  }
  void writeBytes(const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(folder_.settingsPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }

  void rewriteSettings() {
    ++rewrites_;
    eventSince_ = true;
    if (chance(150)) {
      writeBytes(garbage());
    } else {
      writeImage(randomImage());
    }
    snapshot_.erase(folder_.settingsPath());
  }

  // ---- the tree ----

  // Only the registered folders take files; the program folder keeps its settings file (and its
  // temporary one) and nothing else; the sources and parked contents are the soak's own.
  void scanTree() {
    std::map<fs::path, std::uintmax_t> now;
    for (const auto& entry : fs::recursive_directory_iterator(root())) {
      if (!entry.is_regular_file()) continue;
      const fs::path path = entry.path().lexically_normal();
      const fs::path parent = path.parent_path();
      if (parent == root() / "src" || parent == root() / "parked") continue;
      if (files_.registered.count(parent)) continue;
      if (path == folder_.settingsPath() ||
          path.string() == folder_.settingsPath().string() + ".tmp") {
        continue;
      }
      now[path] = entry.file_size();
    }
    if (now != snapshot_) violation("a file outside the registered folders was written");
    snapshot_ = now;
  }

  void clearFolders() {
    for (const char* name : {"a", "b", "c", "src", "parked"}) {
      fs::remove_all(root() / name);
      fs::create_directory(root() / name);
    }
  }

  test::ProgramFolder folder_;
  std::mt19937_64 random_;
  FakeToolkit toolkit_;
  FakeInput input_;
  SoakFiles files_{folder_.exePath(), [this](const std::string& what) { violation(what); }};
  SoakInteraction interaction_{random_, files_};
  FakeUserRegistry registry_;
  FakeImageConverter images_{files_, folder_.path()};
  FakeWorker worker_;
  Platform platform_{toolkit_, input_, files_, interaction_, registry_, images_, worker_};
  std::optional<Application> app_;

  std::vector<std::string> violations_;
  std::map<fs::path, std::uintmax_t> snapshot_;
  Seen lastSeen_;
  int sameInputTicks_ = 0;
  bool eventSince_ = false;
  bool inModal_ = false;
  std::uint64_t ticks_ = 0, nestedTicks_ = 0, drops_ = 0, rewrites_ = 0, steadyChecks_ = 0;
};

TEST(Soak, RandomTicksDropsAndSavesKeepEveryInvariant) {
  const std::uint64_t ticks = fromEnvironment("QM_SOAK_TICKS", 100000);
  const std::uint64_t seed = fromEnvironment("QM_SOAK_SEED", 1);
  // <chrono> cannot be compiled to code page 932 (its "µs"), so the clock is the C library's.
  timespec started{}, ended{};
  clock_gettime(CLOCK_MONOTONIC, &started);
  Soak soak(seed);
  soak.run(ticks);
  clock_gettime(CLOCK_MONOTONIC, &ended);
  const double elapsed = static_cast<double>(ended.tv_sec - started.tv_sec) +
                         static_cast<double>(ended.tv_nsec - started.tv_nsec) / 1e9;
  std::cout << "soak: seed " << seed << ", " << soak.figures() << ", " << elapsed << " s\n";
  EXPECT_EQ(soak.violations(), std::vector<std::string>{});
}

}  // namespace
}  // namespace qm
