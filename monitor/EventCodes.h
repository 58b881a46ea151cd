#pragma once

#include <cstdint>

// The few Linux input event numbers the monitor reads. They are part of the
// kernel's stable interface to user space; kept here so that the core needs
// no kernel headers and builds everywhere.
namespace vantrel::evdev {

constexpr std::uint16_t EvSyn = 0x00;
constexpr std::uint16_t EvKey = 0x01;
constexpr std::uint16_t EvRel = 0x02;
constexpr std::uint16_t EvAbs = 0x03;
constexpr std::uint16_t EvMsc = 0x04;

constexpr std::uint16_t SynReport = 0;
constexpr std::uint16_t MscScan = 0x04;

constexpr std::int32_t KeyReleased = 0;
constexpr std::int32_t KeyPressed = 1;
constexpr std::int32_t KeyAutorepeat = 2;

constexpr std::uint16_t BtnLeft = 0x110;
constexpr std::uint16_t BtnRight = 0x111;
constexpr std::uint16_t BtnMiddle = 0x112;
/// Buttons 1 to 16 of a joystick, and of a gamepad.
constexpr std::uint16_t BtnJoystick = 0x120;
constexpr std::uint16_t BtnGamepad = 0x130;
/// Buttons 17 and up of either.
constexpr std::uint16_t BtnTriggerHappy = 0x2c0;

constexpr std::uint16_t RelX = 0x00;
constexpr std::uint16_t RelY = 0x01;
constexpr std::uint16_t RelHWheel = 0x06;
constexpr std::uint16_t RelDial = 0x07;
constexpr std::uint16_t RelWheel = 0x08;

/// ABS_HAT0X; hat n has its X axis at AbsHat0X + 2n and its Y axis after it.
constexpr std::uint16_t AbsHat0X = 0x10;
constexpr int HatAxisPairs = 4;

/// The HID usage page of keyboard keys, as MSC_SCAN carries it in its high
/// 16 bits.
constexpr std::uint32_t KeyboardUsagePage = 0x07;

} // namespace vantrel::evdev
