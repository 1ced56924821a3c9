#pragma once
// Headless time: it stands still until the key script's waits move it, and
// the wall clock reads a fixed noon, so two runs of one script agree.
#include "platform/Platform.h"

namespace kv {

class FakeClock : public Clock {
  public:
    int64_t NowMs() const override { return nowMs_; }
    double SecondsSinceMidnight() const override;
    uint64_t Entropy() const override;

    void Advance(int64_t ms);

  private:
    int64_t nowMs_ = 0;
};

}  // namespace kv
