#include "platform/Window.h"

#include "platform/Toolkit.h"

namespace qm {

Window::Window(Toolkit& toolkit, WindowStyle style, std::string name)
    : Widget(std::move(name)), style_(style) {
  auto peer = toolkit.createPeer(*this);
  windowPeer_ = peer.get();
  peer_ = std::move(peer);
}

void Window::setVisible(bool v) {
  const bool appeared = v && !visible();
  Widget::setVisible(v);
  if (appeared && onShow) onShow();
}

void Window::takeDpi(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  if (onDpiChanged) onDpiChanged();
}

void Window::runSoon(std::function<void()> work) {
  windowPeer_->post(std::move(work));
}

void Window::perform(WindowAction action) {
  windowPeer_->perform(action);
}

}  // namespace qm
