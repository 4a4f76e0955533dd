#include "platform/fake/FakeToolkit.h"

#include <algorithm>

#include "platform/Window.h"

namespace qm {

class FakePeer : public WindowPeer {
 public:
  FakePeer(FakeToolkit& toolkit, const void* object, Window* window = nullptr)
      : toolkit_(toolkit), object_(object), window_(window) {}
  void apply(Prop changed) override {
    ++toolkit_.updates_[object_][changed];
    if (changed == Prop::Bounds && window_ && toolkit_.dpiAt) {
      window_->takeDpi(toolkit_.dpiAt(window_->bounds()));
    }
  }
  void perform(WindowAction action) override { toolkit_.actions_[object_].push_back(action); }
  void post(std::function<void()> work) override { toolkit_.posted_.push_back(std::move(work)); }

 private:
  FakeToolkit& toolkit_;
  const void* object_;
  Window* window_;
};

std::unique_ptr<WindowPeer> FakeToolkit::createPeer(Window& window) {
  windows_.push_back(&window);
  window.takeDpi(dpi);
  return std::make_unique<FakePeer>(*this, &window, &window);
}

std::unique_ptr<Peer> FakeToolkit::createPeer(Control& control) {
  return std::make_unique<FakePeer>(*this, &control);
}

std::unique_ptr<Peer> FakeToolkit::createPeer(MenuItem& item) {
  return std::make_unique<FakePeer>(*this, &item);
}

std::unique_ptr<Peer> FakeToolkit::createPeer(Timer& timer) {
  return std::make_unique<FakePeer>(*this, &timer);
}

std::unique_ptr<Peer> FakeToolkit::createPeer(TrayIcon& icon) {
  return std::make_unique<FakePeer>(*this, &icon);
}

int FakeToolkit::updates(const void* object, Prop prop) const {
  const auto found = updates_.find(object);
  if (found == updates_.end()) return 0;
  const auto count = found->second.find(prop);
  return count == found->second.end() ? 0 : count->second;
}

int FakeToolkit::updates(const void* object) const {
  const auto found = updates_.find(object);
  if (found == updates_.end()) return 0;
  int total = 0;
  for (const auto& [prop, count] : found->second) total += count;
  return total;
}

std::vector<WindowAction> FakeToolkit::actions(const Window& window) const {
  const auto found = actions_.find(&window);
  return found == actions_.end() ? std::vector<WindowAction>{} : found->second;
}

int FakeToolkit::count(const Window& window, WindowAction action) const {
  const auto all = actions(window);
  return static_cast<int>(std::count(all.begin(), all.end(), action));
}

int FakeToolkit::runPosted() {
  int ran = 0;
  while (!posted_.empty()) {
    std::function<void()> work = std::move(posted_.front());
    posted_.pop_front();
    work();
    ++ran;
  }
  return ran;
}

}  // namespace qm
