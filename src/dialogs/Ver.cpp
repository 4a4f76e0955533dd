#include "dialogs/Ver.h"

namespace qm {
namespace {

constexpr int kClientWidth = 292;
constexpr int kClientHeight = 117;

}  // namespace

TForm3::TForm3(Toolkit& toolkit)
    : DialogForm(toolkit, "TForm3", "Quillmarten - バージョン情報", kClientWidth, kClientHeight) {}

}  // namespace qm
