#pragma once

#include <cstdint>
#include <functional>

#include "platform/TickCount.h"

namespace lexiscoop {

// Keeps a window alive through a long loop on its thread (the analysis run,
// the word list rebuild): Start before the first item, Step before every
// item. `pump` (which may be empty) is where the window processes its
// events; it is called with the progress in per cent at Start and then
// about every `sliceMs` milliseconds. The clock is read only every
// `itemsPerClockCheck` items, so the loop keeps its speed.
class ProgressPump {
 public:
  ProgressPump(const std::function<void(int percent)>& pump, uint32_t sliceMs, int itemsPerClockCheck)
      : pump_(pump), sliceMs_(sliceMs), itemsPerClockCheck_(itemsPerClockCheck),
        untilClockCheck_(itemsPerClockCheck) {}
  ProgressPump(const ProgressPump&) = delete;
  ProgressPump& operator=(const ProgressPump&) = delete;

  // Calls the pump with `percent` (if there is one) and starts the slice.
  void Start(int percent) {
    if (pump_) pump_(percent);
    lastPump_ = TickCount();
  }

  // Calls the pump with `percent()` when a slice has passed since the last
  // call; returns true iff it did. `percent` is evaluated only then.
  template <class Percent>
  bool Step(Percent&& percent) {
    if (--untilClockCheck_ > 0) return false;
    untilClockCheck_ = itemsPerClockCheck_;
    if (!pump_ || TickCount() - lastPump_ < sliceMs_) return false;
    pump_(percent());
    lastPump_ = TickCount();
    return true;
  }

 private:
  const std::function<void(int percent)>& pump_;
  const uint32_t sliceMs_;
  const int itemsPerClockCheck_;
  int untilClockCheck_;
  uint32_t lastPump_ = 0;
};

}  // namespace lexiscoop
