// A process-wide slot for an object the program calls through and tests
// replace: the system's own object unless a stand-in was put in.
#pragma once

namespace fw {

template <class T>
class SeamSlot {
public:
    T& Current() { return *current_; }
    // Puts the stand-in in (null: the system's again) and returns the one it
    // replaced (null when that was the system's).
    T* Set(T* standIn) {
        T* previous = current_ == &system_ ? nullptr : current_;
        current_ = standIn ? standIn : &system_;
        return previous;
    }

private:
    T system_;
    T* current_ = &system_;
};

}  // namespace fw
