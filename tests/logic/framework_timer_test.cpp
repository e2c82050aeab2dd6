// Timers on the headless virtual clock.
#include "platform/framework.h"
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        timer = std::make_shared<Timer>();
        timer->AddHandler("Action", std::function<void(std::shared_ptr<Timer>)>([this](std::shared_ptr<Timer> t) {
                              EXPECT_EQ(t, timer);
                              fired.push_back(clock.Elapsed());
                          }));
    }
    headless::Headless& clock = headless::InstallNew();
    std::shared_ptr<Timer> timer;
    std::vector<int64_t> fired;
};

TEST_F(TimerTest, SingleFiresOncePeriodLaterThenTurnsOff) {
    timer->Period(1000);
    timer->Mode(1);
    clock.Advance(999);
    EXPECT_TRUE(fired.empty());
    clock.Advance(5000);
    EXPECT_EQ(fired, (std::vector<int64_t>{1000}));
    EXPECT_EQ(timer->Mode(), 0);
}

TEST_F(TimerTest, MultipleFiresEveryPeriod) {
    timer->Period(10);
    timer->Mode(2);
    clock.Advance(35);
    EXPECT_EQ(fired, (std::vector<int64_t>{10, 20, 30}));
    timer->Mode(0);
    clock.Advance(100);
    EXPECT_EQ(fired.size(), 3u);
}

TEST_F(TimerTest, SettingModeOrPeriodRestartsTheCount) {
    timer->Period(100);
    timer->Mode(2);
    clock.Advance(60);
    timer->Period(100);  // the same value still starts the count again
    clock.Advance(60);
    EXPECT_TRUE(fired.empty());
    clock.Advance(40);
    EXPECT_EQ(fired, (std::vector<int64_t>{160}));
    clock.Advance(50);
    timer->Mode(2);
    clock.Advance(99);
    EXPECT_EQ(fired.size(), 1u);
    clock.Advance(1);
    EXPECT_EQ(fired.back(), 310);
}

TEST_F(TimerTest, PeriodBelowOneMillisecondNeverFires) {
    for (int32_t period : {0, -5}) {
        timer->Period(period);
        timer->Mode(2);
        clock.Advance(1000);
        EXPECT_TRUE(fired.empty()) << period;
        EXPECT_EQ(timer->ScheduledPeriod(), 0);
    }
}

TEST_F(TimerTest, TimersDueTogetherFireInStartOrderAndAHandlerCanRestartOne) {
    std::vector<std::string> order;
    auto other = std::make_shared<Timer>();
    other->AddHandler("Action", std::function<void(std::shared_ptr<Timer>)>([&](std::shared_ptr<Timer>) {
                          order.push_back("other@" + std::to_string(clock.Elapsed()));
                          other->Mode(1);  // started inside a handler: counts from now
                      }));
    timer->Period(50);
    timer->Mode(2);
    other->Period(50);
    other->Mode(1);
    timer->AddHandler("Action", std::function<void(std::shared_ptr<Timer>)>([&](std::shared_ptr<Timer>) {
                          order.push_back("timer@" + std::to_string(clock.Elapsed()));
                      }));
    clock.Advance(100);
    EXPECT_EQ(order, (std::vector<std::string>{"timer@50", "other@50", "timer@100", "other@100"}));
}

TEST_F(TimerTest, DestroyedTimerStopsAndAHandlerOfTheWrongTypeIsRefused) {
    timer->Period(10);
    timer->Mode(2);
    timer.reset();
    clock.Advance(100);
    EXPECT_TRUE(fired.empty());
    auto t = std::make_shared<Timer>();
    EXPECT_THROW(t->AddHandler("Action", std::function<void(std::shared_ptr<CheckBox>)>([](auto) {})),
                 TypeMismatchException);
    EXPECT_THROW(t->AddHandler("Tick", std::function<void(std::shared_ptr<Timer>)>([](auto) {})), KeyNotFoundException);
}

// An event raised with other types than its handlers take (an int64_t at a
// void(int32_t) handler) would run none of them: the raise itself fails.
class Pinger : public EventSource {
public:
    void Ping32(int32_t v) { Raise("Ping", v); }
    void Ping64(int64_t v) { Raise("Ping", v); }

protected:
    const std::type_info* EventSignature(const std::string& event) const override {
        return event == "Ping" ? &typeid(std::function<void(int32_t)>) : EventSource::EventSignature(event);
    }
};

TEST(EventRaise, ARaiseOfOtherTypesThanTheEventsIsATypeMismatch) {
    auto pinger = std::make_shared<Pinger>();
    EXPECT_THROW(pinger->Ping64(1), TypeMismatchException);  // with no handler yet, too
    std::vector<int32_t> got;
    pinger->AddHandler("Ping", std::function<void(int32_t)>([&](int32_t v) { got.push_back(v); }));
    pinger->Ping32(7);
    EXPECT_THROW(pinger->Ping64(8), TypeMismatchException);
    EXPECT_EQ(got, (std::vector<int32_t>{7}));
}

}  // namespace
