#include "platform/desktop/window_peer.h"

#include "platform/core/window_placement.h"
#include "platform/desktop/control_peer.h"
#include "platform/desktop/desktop_backend.h"
#include "platform/desktop/desktop_monitors.h"
#include "platform/desktop/menu_bar_peer.h"
#include "platform/desktop/menu_bar_widget.h"
#include "platform/desktop/native/x11_frame_extents.h"
#include "platform/desktop/qt_conversions.h"
#include "platform/desktop/window_widget.h"

#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include <QtGui/qguiapplication_platform.h>

#include <algorithm>
#include <map>
#include <set>

namespace desktop {
namespace {

class DesktopWindowPeer;
// Never destroyed: a peer may go in an exit handler, after the static
// destructors of what was made during the loop.
std::set<DesktopWindowPeer*>& LivePeers() {
    static auto* peers = new std::set<DesktopWindowPeer*>;
    return *peers;
}
bool widgetsReleased = false;

namespace placement = fw::placement;

// The window manager's frame for one kind of window (Frame 0 or 1), kept
// once known: every window of a kind gets the same decoration.
placement::Margins FrameMargins(int kind, QWidget& widget) {
    static std::map<int, placement::Margins> known;
    if (auto it = known.find(kind); it != known.end()) return it->second;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display()) return {};
    using namespace std::chrono_literals;
    // A window manager that has not answered (one still starting, say) is
    // asked again for the next window, not taken for one without frames.
    auto e = native::AskFrameExtents(x11->display(), widget.winId(), 300ms);
    if (!e) return {};
    const placement::Margins m{e->left, e->top, e->right, e->bottom};
    known[kind] = m;
    return m;
}

class DesktopWindowPeer : public fw::WindowPeer {
public:
    explicit DesktopWindowPeer(fw::Window& window) : model_(window.weak_from_this()) {
        LivePeers().insert(this);
        widget_ = new WindowWidget();
        widget_->setAttribute(Qt::WA_DeleteOnClose, false);
        auto* layout = new QVBoxLayout(widget_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        // The window takes the size of its content and the bar; the user cannot resize it.
        layout->setSizeConstraint(QLayout::SetFixedSize);
        content_ = new QWidget(widget_);
        layout->addWidget(content_);
        widget_->closeRequested = [this] {
            if (auto w = Model()) Deliver([&] { fw::PeerAccess::CloseRequested(*w); });
        };
        widget_->restored = [this] {
            if (auto w = Model()) Deliver([&] { fw::PeerAccess::Restored(*w); });
        };
        widget_->moved = [this] {
            RememberOrigin();
            if (placing_ || !widget_ || !widget_->isVisible()) return;
            if (auto w = Model()) Deliver([&] { fw::PeerAccess::Moved(*w, CurrentTop(), CurrentLeft()); });
        };
        widget_->defaultOrCancel = [this](bool escape) { return PressDefaultOrCancel(escape); };
        ApplyLook();
        SyncMenuBar();
        AddMissingControls();
    }

    ~DesktopWindowPeer() override {
        LivePeers().erase(this);
        ReleaseWidget(false);
    }

    void ReleaseWidget(bool now) {
        controls_.clear();
        menus_.reset();
        if (!widget_ || widgetsReleased) return;
        widget_->Detach();
        widget_->hide();
        // Never deleted from inside one of its own event handlers.
        if (now) {
            delete widget_.data();
        } else {
            widget_->deleteLater();
        }
        widget_ = nullptr;
    }

    void Changed(const std::string& property) override {
        if (!widget_) return;
        if (property == fw::Window::TopProperty.name || property == fw::Window::LeftProperty.name) {
            PlaceContent();
        } else if (property == fw::Window::VisibleProperty.name) {
            auto w = Model();
            if (w && !w->Visible()) widget_->hide();
        } else {
            ApplyLook();
        }
    }

    void ControlChanged(fw::RectControl& control, const std::string& property) override {
        auto it = controls_.find(&control);
        if (it == controls_.end()) {
            AddControl(control);
        } else {
            it->second->Sync(property);
        }
    }

    void Refresh(fw::RectControl& control) override {
        auto it = controls_.find(&control);
        if (it != controls_.end()) it->second->Repaint();
    }

    void MenuChanged() override { SyncMenuBar(); }

    void Show() override {
        if (!widget_) return;
        AddMissingControls();
        if (!shown_) {
            shown_ = true;
            if (auto w = Model()) margins_ = FrameMargins(w->Frame(), *widget_);
            PlaceContent();
            RememberOrigin();
            FocusFirstControl();
        }
        if (widget_->windowState() & Qt::WindowMinimized)
            widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
        widget_->show();
        widget_->raise();
        widget_->activateWindow();
    }

    void SetFocus() override {
        if (!widget_ || !widget_->isVisible()) return;
        widget_->raise();
        widget_->activateWindow();
    }

    void Close() override {
        if (widget_ && !widgetsReleased) {
            widget_->Detach();
            widget_->CloseForReal();
        }
        ReleaseWidget(false);
    }

    // Until it first shows, the window stands where the program asked; once
    // the widgets are let go, where it was last seen.
    int32_t CurrentTop() override {
        auto w = Model();
        if (!shown_ && w) return fw::PeerAccess::ModelTop(*w);
        if (widgetsReleased) return static_cast<int32_t>(lastOrigin_.y() - mainOrigin_.y);
        return static_cast<int32_t>(ContentOrigin().y() - MainOrigin().y);
    }
    int32_t CurrentLeft() override {
        auto w = Model();
        if (!shown_ && w) return fw::PeerAccess::ModelLeft(*w);
        if (widgetsReleased) return static_cast<int32_t>(lastOrigin_.x() - mainOrigin_.x);
        return static_cast<int32_t>(ContentOrigin().x() - MainOrigin().x);
    }

    // The main display's corner, kept for when the display is gone.
    placement::Point MainOrigin() {
        mainOrigin_ = CurrentDesktop().mainOrigin;
        return mainOrigin_;
    }

    void RememberOrigin() {
        if (widget_ && shown_ && !widgetsReleased) lastOrigin_ = ContentOrigin();
    }

private:
    std::shared_ptr<fw::Window> Model() const { return std::dynamic_pointer_cast<fw::Window>(model_.lock()); }

    // Title, flags, content size and background: all cheap to apply again.
    void ApplyLook() {
        auto w = Model();
        if (!w || !widget_) return;
        const QString title = PlainTitle(w->Title());
        if (widget_->windowTitle() != title) widget_->setWindowTitle(title);
        const QSize size(std::max(0, w->Width()), std::max(0, w->Height()));
        if (content_->size() != size || content_->minimumSize() != size) content_->setFixedSize(size);

        Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        flags |= w->Frame() == 1 ? Qt::Dialog : Qt::Window;
        if (w->CloseButton()) flags |= Qt::WindowCloseButtonHint;
        if (w->MinimizeButton()) flags |= Qt::WindowMinimizeButtonHint;
        if (widget_->windowFlags() != flags) {
            const bool visible = widget_->isVisible();
            widget_->setWindowFlags(flags);  // hides the window
            if (visible) widget_->show();
        }
        widget_->setWindowModality(w->Frame() == 1 ? Qt::ApplicationModal : Qt::NonModal);

        const bool ownBack = w->HasBackColor();
        content_->setAutoFillBackground(ownBack);
        if (ownBack) {
            QPalette pal = content_->palette();
            pal.setColor(QPalette::Window, ToQColor(w->BackColor()));
            content_->setPalette(pal);
        }
    }

    void SyncMenuBar() {
        auto w = Model();
        if (!w || !widget_) return;
        auto tree = w->MenuBar();
        if (!tree && !menus_) return;
        if (!menus_) {
            auto* bar = new MenuBarWidget(widget_, [] {
                auto* backend = fw::HasBackend() ? dynamic_cast<DesktopBackend*>(&fw::CurrentBackend()) : nullptr;
                return backend ? backend->Held() : native::HeldState{};
            });
            bar->setNativeMenuBar(false);
            widget_->layout()->setMenuBar(bar);
            menus_ = std::make_unique<MenuBarPeer>(bar);
            menus_->Show(tree);
            shownTree_ = tree;
            PlaceContent();
            return;
        }
        if (tree != shownTree_.lock()) {
            shownTree_ = tree;
            menus_->Show(tree);
        } else {
            menus_->Update();
        }
    }

    void AddControl(fw::RectControl& control) {
        if (!content_) return;
        if (auto peer = MakeControlPeer(control, content_)) controls_[&control] = std::move(peer);
    }

    void AddMissingControls() {
        auto w = Model();
        if (!w) return;
        for (const auto& c : w->Controls()) {
            auto* rect = dynamic_cast<fw::RectControl*>(c.get());
            if (rect && !controls_.count(rect)) AddControl(*rect);
        }
    }

    bool PressDefaultOrCancel(bool escape) {
        auto w = Model();
        if (!w) return false;
        for (const auto& c : w->Controls()) {
            auto button = std::dynamic_pointer_cast<fw::PushButton>(c);
            if (!button || !button->Visible() || !button->Enabled()) continue;
            if (escape ? button->Cancel() : button->Default()) {
                Deliver([&] { fw::PeerAccess::Pressed(*button); });
                return true;
            }
        }
        return false;
    }

    // Where the content area sits inside the window's client area.
    QPoint ContentOffset() const {
        widget_->layout()->activate();
        return content_->pos();
    }

    QPoint ContentOrigin() const {
        if (!widget_) return {};
        return widget_->geometry().topLeft() + ContentOffset();
    }

    placement::WindowShape Shape() const {
        const QPoint offset = ContentOffset();
        return {widget_->width(), widget_->height(), {offset.x(), offset.y()}, margins_};
    }

    // The frames of the program's other windows on the screen.
    std::vector<placement::Box> OtherFrames() const {
        std::vector<placement::Box> frames;
        for (const DesktopWindowPeer* peer : LivePeers()) {
            if (peer == this || !peer->widget_ || !peer->widget_->isVisible()) continue;
            const QRect g = peer->widget_->geometry();
            const placement::Margins& m = peer->margins_;
            frames.push_back(
                {g.x() - m.left, g.y() - m.top, g.width() + m.left + m.right, g.height() + m.top + m.bottom});
        }
        return frames;
    }

    // A position the program set is kept, with the title bar and the menu bar
    // on the screen; a window it never placed is placed once, when it first
    // shows, and then left where the user puts it.
    void PlaceContent() {
        auto w = Model();
        if (!w || !widget_ || !shown_) return;
        if (!fw::PeerAccess::PositionSet(*w) && placed_) return;
        widget_->adjustSize();
        const Desktop desktop = CurrentDesktop();
        mainOrigin_ = desktop.mainOrigin;
        const placement::Point asked{desktop.mainOrigin.x + fw::PeerAccess::ModelLeft(*w),
                                     desktop.mainOrigin.y + fw::PeerAccess::ModelTop(*w)};
        const placement::Point at = fw::PeerAccess::PositionSet(*w)
                                        ? placement::KeepReachable(asked, Shape(), desktop.screens)
                                        : placement::PlaceUnpositioned(Shape(), desktop.screens, OtherFrames());
        placed_ = true;
        // Within 16 bits, as the placement keeps it.
        const QPoint origin(static_cast<int>(at.x), static_cast<int>(at.y));
        if (origin == ContentOrigin() && widget_->testAttribute(Qt::WA_Moved)) return;
        placing_ = true;
        widget_->setGeometry(QRect(origin - ContentOffset(), widget_->size()));
        placing_ = false;
        RememberOrigin();
    }

    // The keyboard focus starts on the first control in tab order that the
    // user can see and that takes keys.
    void FocusFirstControl() {
        auto w = Model();
        if (!w || !content_) return;
        QWidget* first = nullptr;
        int32_t firstIndex = 0;
        for (const auto& c : w->Controls()) {
            auto* rect = dynamic_cast<fw::RectControl*>(c.get());
            auto it = rect ? controls_.find(rect) : controls_.end();
            if (it == controls_.end() || !it->second->Widget()) continue;
            QWidget* widget = it->second->Widget();
            const bool inside = rect->Left() >= 0 && rect->Top() >= 0 &&
                                int64_t{rect->Left()} + rect->Width() <= w->Width() &&
                                int64_t{rect->Top()} + rect->Height() <= w->Height();
            const bool takesKeys = (widget->focusPolicy() & Qt::TabFocus) && rect->TabStop();
            if (!inside || !takesKeys || !rect->Visible() || !rect->Enabled()) continue;
            if (!first || rect->TabIndex() < firstIndex) {
                first = widget;
                firstIndex = rect->TabIndex();
            }
        }
        if (first) first->setFocus(Qt::OtherFocusReason);
    }

    std::weak_ptr<fw::Object> model_;
    QPointer<WindowWidget> widget_;
    QWidget* content_ = nullptr;
    std::unique_ptr<MenuBarPeer> menus_;
    std::weak_ptr<fw::MenuBar> shownTree_;
    std::map<fw::RectControl*, std::unique_ptr<ControlPeer>> controls_;
    placement::Margins margins_;
    QPoint lastOrigin_;
    placement::Point mainOrigin_{};
    bool placing_ = false, shown_ = false, placed_ = false;
};

}  // namespace

std::unique_ptr<fw::WindowPeer> MakeWindowPeer(fw::Window& window) {
    return std::make_unique<DesktopWindowPeer>(window);
}

void AbandonAllWindowWidgets() { widgetsReleased = true; }

void ReleaseAllWindowWidgets() {
    for (DesktopWindowPeer* peer : LivePeers()) peer->ReleaseWidget(true);
    widgetsReleased = true;
}

}  // namespace desktop
