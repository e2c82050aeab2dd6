// Timers: off, one Action a Period later, or an Action every Period.
#pragma once

#include "platform/core/controls.h"

#include <cstdint>

namespace fw {

// Timers. Mode 0 off, 1 one Action a Period later (then Mode is 0 again), 2 an
// Action every Period. Setting Mode or Period starts the count again; a Period
// below 1 ms never fires. A timer holds nothing of its window.
class Timer : public Control {
public:
    virtual void Constructor() {}
    ~Timer() override;
    FW_PROPERTY(int32_t, Mode, 0)
    FW_PROPERTY(int32_t, Period, 1000)
    std::string ClassName() const override { return "Timer"; }
    // The period actually scheduled (ms), 0 when not running.
    int64_t ScheduledPeriod() const { return scheduledMs_; }
    void Stop();  // for the framework: its window closed
    void _WindowClosed() override { Stop(); }

protected:
    void DeclareProperties(PropertyTable& table) const override {
        Control::DeclareProperties(table);
        table.Add(ModeProperty, PeriodProperty);
    }
    void PropertyChanged(const std::string& name) override;
    const std::type_info* EventSignature(const std::string& event) const override;

private:
    void Reschedule();
    void Fire();
    uint64_t timerId_ = 0;
    uint64_t backendGeneration_ = 0;  // the backend that holds timerId_
    int64_t scheduledMs_ = 0;
};

}  // namespace fw
