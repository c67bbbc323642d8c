// How X pointer events become the window procedure's messages: the key-state
// flags of the first parameter and the packed point of the second.
#pragma once

#include <cstdint>

namespace platform::x11 {

inline constexpr std::uintptr_t kKeyLeftButton = 0x0001;
inline constexpr std::uintptr_t kKeyRightButton = 0x0002;
inline constexpr std::uintptr_t kKeyShift = 0x0004;
inline constexpr std::uintptr_t kKeyControl = 0x0008;
inline constexpr std::uintptr_t kKeyMiddleButton = 0x0010;

// X button numbers.
inline constexpr int kLeftButton = 1;
inline constexpr int kMiddleButton = 2;
inline constexpr int kRightButton = 3;

// The flags after the event: X reports the state before it, so the button
// pressed is added and the button released taken away (0 for neither).
constexpr std::uintptr_t keyStateFlags(std::uint16_t state, int pressed = 0, int released = 0) {
    // Shift, Control and the three buttons of the X state mask.
    constexpr std::uint16_t kShift = 1, kControl = 4, kButton1 = 256, kButton2 = 512,
                            kButton3 = 1024;
    const auto held = [&](int button, std::uint16_t mask) {
        return button != released && (button == pressed || (state & mask) != 0);
    };
    std::uintptr_t flags = 0;
    if (held(kLeftButton, kButton1)) flags |= kKeyLeftButton;
    if (held(kRightButton, kButton3)) flags |= kKeyRightButton;
    if (held(kMiddleButton, kButton2)) flags |= kKeyMiddleButton;
    if (state & kShift) flags |= kKeyShift;
    if (state & kControl) flags |= kKeyControl;
    return flags;
}

// x in the low 16 bits and y in the next 16, each as a signed 16-bit value.
constexpr std::intptr_t pointParam(int x, int y) {
    return static_cast<std::intptr_t>(
        (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16) |
        static_cast<std::uint16_t>(x));
}

}  // namespace platform::x11
