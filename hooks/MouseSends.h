// What the mouse hook sends itself, from inside the hook: injected, so no
// filter of ours sees it again. A short list of fixed size, since the hook
// allocates nothing.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

#include "core/MouseButtons.h"
#include "hooks/WheelShaper.h"

namespace vela::hooks {

// A list of at most N values, without allocation.
template <typename T, std::size_t N>
class FixedList {
public:
    void add(const T& v) {
        if (size_ < N) items_[size_++] = v;
    }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + size_; }
    const T& operator[](std::size_t i) const { return items_[i]; }
    static constexpr std::size_t capacity() { return N; }

private:
    std::array<T, N> items_{};
    std::size_t size_ = 0;
};

// One input the hook sends itself.
struct MouseSend {
    enum class Kind : unsigned char {
        Button,  // `button` goes down or comes up
        Wheel,   // a wheel delta: `delta`, on the `horizontal` wheel or not
    };
    Kind kind = Kind::Button;
    MouseButton button = MouseButton::Left;
    bool down = false;
    int delta = 0;
    bool horizontal = false;
    bool operator==(const MouseSend&) const = default;
};

// A held release first, then the event's own: the wheel's pieces, or what the
// triggers send (every button's release at most, or a click), and the event.
inline constexpr std::size_t kMaxMouseSends = 2 + std::max(kMaxWheelPieces, kMouseButtonCount);
using MouseSends = FixedList<MouseSend, kMaxMouseSends>;

}  // namespace vela::hooks
