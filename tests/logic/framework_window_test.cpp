// Windows: the build order, single instances by class name, lifetime, peers.
#include "platform/framework.h"
#include "platform/headless/headless.h"
#include "tests/support/control_lookup.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace fw;

std::vector<std::string> events;

class Probe : public Window {
public:
    std::string ClassName() const override { return "Probe.Probe"; }
    void Layout() override {
        events.push_back("Layout");
        RuntimeMassPropertySetter(std::static_pointer_cast<PropertyObject>(shared_from_this()),
                                  DesignList().Int("Width", 288).Str("Title", "Probe").Bytes());
    }
    void CreateControls() override {
        events.push_back("CreateControls");
        auto self = std::static_pointer_cast<Probe>(shared_from_this());
        auto arrows = __New<UpDownArrows>();
        _AddControl("Arrows", arrows);
        arrows->AddHandler("Open", RuntimeCreateDelegate(&Probe::Arrows_Open, self, "( UpDownArrows )", 1));
        auto label = __New<Label>();
        _AddControl("Value", label);
        auto tick = __New<Timer>();
        _AddControl("Tick", tick);
        tick->AddHandler("Action", RuntimeCreateDelegate(&Probe::Tick_Action, self, "( Timer )", 1));
        RuntimeMassPropertySetter(tick, DesignList().Int("Mode", 2).Int("Period", 10).Bytes());
    }
    void Arrows_Open(std::shared_ptr<UpDownArrows>) {
        // Built after the arrows, yet there when the controls' Open events run.
        std::static_pointer_cast<Label>(_ControlByName("Value"))->Text("set in Open");
        events.push_back("Arrows.Open");
    }
    void Tick_Action(std::shared_ptr<Timer>) { ++ticks; }
    void Event_Open() override {
        events.push_back(std::string("Open found=") +
                         (RuntimeGetImplicitWindow("Probe.Probe").get() == this ? "self" : "no"));
    }
    void Event_Close() override {
        events.push_back(std::string("Close found=") +
                         (RuntimeGetImplicitWindow("Probe.Probe").get() == this ? "self" : "no"));
    }
    void Event_Restore() override { events.push_back("Restore"); }
    int ticks = 0;
};

class Failing : public Window {
public:
    std::string ClassName() const override { return "Failing.Failing"; }
    void Event_Open() override { throw NilObjectException("nil"); }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        events.clear();
        RuntimeInit();
    }
    void TearDown() override { RuntimeExit(); }
    headless::Headless& backend = headless::InstallNew();
};

TEST_F(WindowTest, BuildRunsItsStepsInOrderAndTheWindowIsFoundThroughout) {
    auto w = RuntimeNewObject<Probe>();
    w->Constructor();
    EXPECT_EQ(events, (std::vector<std::string>{"Layout", "CreateControls", "Arrows.Open", "Open found=self"}));
    EXPECT_EQ(quorrel::test::ControlNamed<Label>(w, "Value")->Text(), "set in Open");
    auto* peer = headless::PeerOf(w);
    ASSERT_NE(peer, nullptr);
    EXPECT_EQ(peer->shows, 1);  // Visible by default
    EXPECT_EQ(w->Title(), "Probe");
    EXPECT_EQ(RuntimeGetImplicitWindow("Probe.Probe"), w);

    w->Close();
    EXPECT_EQ(events.back(), "Close found=self");
    EXPECT_EQ(RuntimeGetImplicitWindow("Probe.Probe"), nullptr);
    EXPECT_TRUE(peer == nullptr || headless::PeerOf(w) == nullptr);
    EXPECT_TRUE(OpenWindows().empty());
}

TEST_F(WindowTest, FrameworkKeepsAnOpenWindowAliveAndLetsItGoAfterClose) {
    std::weak_ptr<Probe> weak;
    {
        auto w = RuntimeNewObject<Probe>();
        w->Constructor();
        weak = w;
    }
    ASSERT_FALSE(weak.expired());
    backend.Advance(35);
    EXPECT_EQ(weak.lock()->ticks, 3);
    backend.CloseWindow(weak.lock());
    // The weak delegates on its controls do not keep it: it is gone, and its timer with it.
    EXPECT_TRUE(weak.expired());
    backend.Advance(100);
}

TEST_F(WindowTest, ClosedWindowStopsItsTimersEvenWhileTheProgramHoldsIt) {
    auto w = RuntimeNewObject<Probe>();
    w->Constructor();
    backend.Advance(20);
    w->Close();
    backend.Advance(100);
    EXPECT_EQ(w->ticks, 2);
    w->Close();  // a second close does nothing
    EXPECT_EQ(std::count(events.begin(), events.end(), "Close found=self"), 1);
}

TEST_F(WindowTest, PositionFollowsTheUserAndRestoreReachesTheWindow) {
    auto w = RuntimeNewObject<Probe>();
    w->Top(150);
    w->Left(160);
    w->Constructor();
    EXPECT_EQ(w->Top(), 150);
    backend.MoveWindow(w, 300, 40);
    EXPECT_EQ(w->Top(), 300);
    EXPECT_EQ(w->Left(), 40);
    w->Top(10);
    EXPECT_EQ(w->Top(), 10);
    backend.Minimize(w);
    backend.Restore(w);
    EXPECT_EQ(events.back(), "Restore");
}

TEST_F(WindowTest, MenuBarChangesReachThePeer) {
    auto bar = std::make_shared<MenuBar>();
    auto w = RuntimeNewObject<Probe>();
    w->Constructor();
    w->MenuBar(bar);
    auto* peer = headless::PeerOf(w);
    int before = peer->menuChanges;
    auto item = std::make_shared<MenuItem>();
    bar->Append(item);
    item->Checked(true);
    EXPECT_EQ(peer->menuChanges, before + 2);
}

TEST_F(WindowTest, ExceptionEscapingAHandlerGetsTheDefaultHandling) {
    auto w = RuntimeNewObject<Failing>();
    w->Constructor();
    ASSERT_EQ(backend.Log().messageBoxes.size(), 1u);
    EXPECT_EQ(backend.Log().messageBoxes[0],
              "An exception of class NilObjectException was not handled. The application must shut down.");
    EXPECT_TRUE(backend.Quitting());
    QuitApplication(0);  // a later orderly quit keeps the failure's status
    EXPECT_EQ(RuntimeExit(), 1);
    EXPECT_EQ(RuntimeGetImplicitWindow("Failing.Failing"), nullptr);
    RuntimeInit();
    QuitApplication(0);
    EXPECT_EQ(RuntimeExit(), 0);  // the next run starts clean
}

TEST_F(WindowTest, UserInterfaceOffTheMainThreadRaises) {
    auto w = RuntimeNewObject<Probe>();
    w->Constructor();
    std::vector<std::string> raised;
    std::thread other([&] {
        auto attempt = [&](const char* what, const std::function<void()>& fn) {
            try {
                fn();
            } catch (const ThreadAccessingUIException&) {
                raised.push_back(what);
            }
        };
        attempt("Show", [&] { w->Show(); });
        attempt("Top", [&] { w->Top(5); });
        attempt("property", [&] { w->_ControlByName("Value"); });
        attempt("MsgBox", [] { RuntimeMsgBox("x"); });
        attempt("Timer", [] { std::make_shared<Timer>()->Mode(2); });
        attempt("input", [] { getKeyboardObject()->AsyncOptionKey(); });
    });
    other.join();
    EXPECT_EQ(raised, (std::vector<std::string>{"Show", "Top", "property", "MsgBox", "Timer", "input"}));
    EXPECT_TRUE(backend.Log().messageBoxes.empty());
}

TEST_F(WindowTest, WeakDelegateDoesNothingOnceItsTargetIsGone) {
    auto target = std::make_shared<Probe>();
    auto strong = RuntimeCreateDelegate(&Probe::Tick_Action, target, "( Timer )", 0);
    auto weak = RuntimeCreateDelegate(&Probe::Tick_Action, target, "( Timer )", 1);
    std::weak_ptr<Probe> watch = target;
    target.reset();
    EXPECT_FALSE(watch.expired());  // the strong delegate holds it
    strong = nullptr;
    EXPECT_TRUE(watch.expired());
    weak(nullptr);  // safe, and does nothing
}

}  // namespace
