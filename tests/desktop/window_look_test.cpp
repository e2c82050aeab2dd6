// The window peer shows what the model holds: its buttons follow the window's
// own properties and their one declared default, never a default of the peer's.
#include "platform/desktop/desktop_backend.h"
#include "platform/desktop/native/x11_input.h"
#include "platform/desktop/window_widget.h"
#include "platform/framework.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

desktop::WindowWidget* ShownWindowWidget() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* widget = qobject_cast<desktop::WindowWidget*>(w); widget && widget->isVisible()) return widget;
    return nullptr;
}

TEST(WindowLook, ButtonsFollowTheModelAndItsDeclaredDefaults) {
    fw::InstallBackend(std::make_unique<desktop::DesktopBackend>(native::X11Input::Open()));
    fw::RuntimeInit();
    auto window = fw::RuntimeNewObject<fw::Window>();
    window->Constructor();  // no design: every property has its declared default
    ASSERT_TRUE(window->MinimizeButton());
    desktop::WindowWidget* widget = ShownWindowWidget();
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(widget->windowFlags() & Qt::WindowCloseButtonHint);

    window->MinimizeButton(false);
    window->CloseButton(false);
    EXPECT_FALSE(widget->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(widget->windowFlags() & Qt::WindowCloseButtonHint);

    window->Close();
    fw::RuntimeExit();
    fw::InstallBackend(nullptr);
}

}  // namespace
