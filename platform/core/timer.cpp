// Timers over the backend's clock: off, one Action a Period later, or every Period.
#include "platform/backend.h"
#include "platform/core/runtime_state.h"
#include "platform/framework.h"

namespace fw {

Timer::~Timer() { Stop(); }

const std::type_info* Timer::EventSignature(const std::string& event) const {
    if (event == "Action") return &typeid(std::function<void(std::shared_ptr<Timer>)>);
    return Control::EventSignature(event);
}

void Timer::PropertyChanged(const std::string& name) {
    Control::PropertyChanged(name);
    // Setting either starts the count again.
    if (name == ModeProperty.name || name == PeriodProperty.name) Reschedule();
}

void Timer::Stop() {
    if (timerId_ != 0 && backendGeneration_ == detail::BackendGeneration() && HasBackend())
        CurrentBackend().StopTimer(timerId_);
    timerId_ = 0;
    scheduledMs_ = 0;
}

void Timer::Reschedule() {
    Stop();
    int32_t mode = Mode(), period = Period();
    // A period below 1 ms never fires: the timer stays idle rather than spin.
    if ((mode != 1 && mode != 2) || period < 1) return;
    std::weak_ptr<Object> weakSelf = weak_from_this();
    timerId_ = CurrentBackend().StartTimer(period, mode == 2, [weakSelf] {
        if (auto self = std::static_pointer_cast<Timer>(weakSelf.lock())) self->Fire();
    });
    backendGeneration_ = detail::BackendGeneration();
    scheduledMs_ = period;
}

void Timer::Fire() {
    if (Mode() == 1) {
        // A single timer turns itself off once it has fired.
        timerId_ = 0;
        scheduledMs_ = 0;
        Mode(0);
    }
    RaiseSelf<Timer>("Action");
}

}  // namespace fw
