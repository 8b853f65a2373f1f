#pragma once

#include "engine/run_seam.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quill::test {

// A run seam that records what the engine did with the window: message pumps
// are counted, and the stop request can be raised at the Nth pump.
class FakeRunSeam final : public RunSeam {
public:
    void ProcessMessages() override {
        ++pumps;
        if (stopAtPump > 0 && pumps == stopAtPump) {
            stop = true;
        }
    }
    bool CancelRequested() const override { return cancel; }
    bool StopRequested() const override { return stop; }
    void SetStopRequested(bool value) override { stop = value; }
    void ShowSearchCounters(const std::string& l2, const std::string& l4) override {
        counters = l2 + " " + l4;
    }
    void SetProgressMax(std::int32_t max) override { progressMax = max; }
    std::int32_t ProgressMax() const override { return progressMax; }
    void StepProgress() override { ++steps; }
    void SetStatusMode(StatusMode mode) override { modes.push_back(mode); }
    void ShowMainCancel(bool visible) override {
        cancelShown = visible;
        cancelChanges.push_back(visible);
    }
    void Repaint() override { ++repaints; }

    int pumps = 0;
    int stopAtPump = 0; // 0: never
    bool cancel = false;
    bool stop = false;
    std::string counters;
    std::int32_t progressMax = -1; // untouched
    int steps = 0;
    std::vector<StatusMode> modes;
    bool cancelShown = false;
    std::vector<bool> cancelChanges;
    int repaints = 0;
};

} // namespace quill::test
