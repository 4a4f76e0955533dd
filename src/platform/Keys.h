// Virtual-key codes polled by the program (the values of the Windows headers).
#pragma once

namespace qm::vk {

constexpr int kLeftButton = 0x01;
constexpr int kTab = 0x09;
constexpr int kShift = 0x10;
constexpr int kLeftControl = 0xA2;
constexpr int kRightControl = 0xA3;
constexpr int kF12 = 0x7B;
constexpr int kDigit1 = '1';
constexpr int kNumpad1 = 0x61;

}  // namespace qm::vk
