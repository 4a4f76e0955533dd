// Properties common to windows and controls. Every setter compares first: assigning the value a
// property already holds does not reach the peer, so polling code may assign freely without
// causing repaints.
#pragma once

#include <memory>
#include <string>

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/Peer.h"
#include "text/Encoding.h"

namespace qm {

// Sizes do not depend on the screen: the platform makes the font for the window's pixel density.
struct Font {
  std::string face;
  int pointSize = 9;
  int pixelHeight = 0;  // when not 0, the character height in pixels at 96 DPI instead of pointSize
  bool bold = false;
  friend bool operator==(const Font&, const Font&) = default;
};

class Widget {
 public:
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;
  virtual ~Widget() = default;

  const std::string& name() const { return name_; }

  // The caption's bytes; captionText() adds their encoding, UTF-8 for a name or path that code
  // page 932 cannot spell.
  const std::string& caption() const { return caption_.bytes; }
  const EncodedText& captionText() const { return caption_; }
  void setCaption(const EncodedText& v) { assign(caption_, v, Prop::Caption); }
  bool visible() const { return visible_; }
  virtual void setVisible(bool v) { assign(visible_, v, Prop::Visible); }
  bool enabled() const { return enabled_; }
  void setEnabled(bool v) { assign(enabled_, v, Prop::Enabled); }
  const Bounds& bounds() const { return bounds_; }
  void setBounds(const Bounds& v) { assign(bounds_, v, Prop::Bounds); }
  void setLeft(int v) { setBounds({v, bounds_.top, bounds_.width, bounds_.height}); }
  void setTop(int v) { setBounds({bounds_.left, v, bounds_.width, bounds_.height}); }
  void setWidth(int v) { setBounds({bounds_.left, bounds_.top, v, bounds_.height}); }
  void setHeight(int v) { setBounds({bounds_.left, bounds_.top, bounds_.width, v}); }
  Color color() const { return color_; }
  void setColor(Color v) { assign(color_, v, Prop::Color); }
  Color textColor() const { return textColor_; }
  void setTextColor(Color v) { assign(textColor_, v, Prop::TextColor); }
  const Font& font() const { return font_; }
  void setFont(const Font& v) { assign(font_, v, Prop::Font); }
  void setFontSize(int points) {
    Font f = font_;
    f.pointSize = points;
    setFont(f);
  }
  const std::string& hint() const { return hint_; }
  void setHint(const std::string& v) { assign(hint_, v, Prop::Hint); }

  // The platform reports a change the user made (typing, ticking, selecting): the model takes the
  // value without sending it back to the peer.
  void takeUserCaption(const EncodedText& v) { caption_ = v; }

 protected:
  explicit Widget(std::string name) : name_(std::move(name)) {}

  template <typename T>
  bool assign(T& field, const T& value, Prop prop) {
    if (field == value) return false;
    field = value;
    if (peer_) peer_->apply(prop);
    return true;
  }

  std::unique_ptr<Peer> peer_;

 private:
  std::string name_;
  EncodedText caption_;
  bool visible_ = false;
  bool enabled_ = true;
  Bounds bounds_;
  Color color_ = kColorButtonFace;
  Color textColor_ = kColorWindowText;
  Font font_;
  std::string hint_;
};

}  // namespace qm
