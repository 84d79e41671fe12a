// Lets a changing status be painted at most once per interval, remembering a
// change left unpainted so that the last one can be painted before the end.
// Times in milliseconds of a wrapping 32-bit tick count. No system calls.
#pragma once

#include <cstdint>

namespace widgets {

class RepaintThrottle {
public:
    explicit RepaintThrottle(std::uint32_t intervalMs = 0) : interval_(intervalMs) {}
    // A status changed at `now`: true when it is to be painted now.
    bool Changed(std::uint32_t now) {
        if (!painted_ || now - last_ >= interval_) return true;
        pending_ = true;
        return false;
    }
    // A change not painted yet.
    bool Pending() const { return pending_; }
    void Painted(std::uint32_t now) {
        last_ = now;
        painted_ = true;
        pending_ = false;
    }

private:
    std::uint32_t interval_;
    std::uint32_t last_ = 0;
    bool painted_ = false;
    bool pending_ = false;
};

}  // namespace widgets
