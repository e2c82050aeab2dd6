// Peers of the plain controls: label, check box, push button, oval, progress
// bar and the up/down arrows; the factory that picks a peer for a control.
#include "platform/desktop/control_peer.h"
#include "platform/desktop/oval_widget.h"
#include "platform/desktop/qt_conversions.h"
#include "platform/desktop/text_area_peer.h"
#include "platform/desktop/up_down_arrows_widget.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>

namespace desktop {
namespace {

template <class W>
void SetFontIfChanged(W* w, const QFont& f) {
    if (w->font() != f) w->setFont(f);
}

class LabelPeer : public ControlPeer {
public:
    LabelPeer(fw::Label& label, QLabel* w) : ControlPeer(label, w), label_(w) {
        w->setTextFormat(Qt::PlainText);
        w->setAutoFillBackground(false);
    }

protected:
    void SyncOwn(const std::string&) override {
        auto m = Model<fw::Label>();
        if (!m) return;
        // The framework's texts break lines with CR (alone or before LF); Qt's with LF.
        QString text = ToQ(m->Text());
        text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (label_->text() != text) label_->setText(text);
        const Qt::Alignment horizontal = m->TextAlign() == 1   ? Qt::AlignHCenter
                                         : m->TextAlign() == 2 ? Qt::AlignRight
                                                               : Qt::AlignLeft;
        label_->setWordWrap(m->Multiline());
        label_->setAlignment(horizontal | (m->Multiline() ? Qt::AlignTop : Qt::AlignVCenter));
        SetFontIfChanged(label_, FontOf(*m));
        QPalette pal = label_->palette();
        const QColor colour = ToQColor(m->TextColor());
        if (pal.color(QPalette::WindowText) != colour) {
            pal.setColor(QPalette::WindowText, colour);
            label_->setPalette(pal);
        }
    }

private:
    QLabel* label_;
};

class CheckBoxPeer : public ControlPeer {
public:
    CheckBoxPeer(fw::CheckBox& box, QCheckBox* w) : ControlPeer(box, w), box_(w) {
        // clicked is the user's alone: setting Value from the model raises nothing.
        QObject::connect(w, &QCheckBox::clicked, w, [this](bool checked) {
            auto m = Model<fw::CheckBox>();
            if (m) Deliver([&] { fw::PeerAccess::Toggled(*m, checked); });
        });
    }

protected:
    void SyncOwn(const std::string&) override {
        auto m = Model<fw::CheckBox>();
        if (!m) return;
        const QString caption = ToQ(m->Caption());
        if (box_->text() != caption) box_->setText(caption);
        SetFontIfChanged(box_, FontOf(*m));
        if (box_->isChecked() != m->Value()) {
            QSignalBlocker quiet(box_);
            box_->setChecked(m->Value());
        }
    }

private:
    QCheckBox* box_;
};

class PushButtonPeer : public ControlPeer {
public:
    PushButtonPeer(fw::PushButton& button, QPushButton* w) : ControlPeer(button, w), button_(w) {
        w->setAutoDefault(false);
        QObject::connect(w, &QPushButton::clicked, w, [this] {
            auto m = Model<fw::PushButton>();
            if (m) Deliver([&] { fw::PeerAccess::Pressed(*m); });
        });
    }

protected:
    void SyncOwn(const std::string&) override {
        auto m = Model<fw::PushButton>();
        if (!m) return;
        const QString caption = ToQ(m->Caption());
        if (button_->text() != caption) button_->setText(caption);
        SetFontIfChanged(button_, FontOf(*m));
        button_->setDefault(m->Default());
    }

private:
    QPushButton* button_;
};

class OvalPeer : public ControlPeer {
public:
    OvalPeer(fw::Oval& oval, OvalWidget* w) : ControlPeer(oval, w), oval_(w) {}

protected:
    void SyncOwn(const std::string&) override {
        auto m = Model<fw::Oval>();
        if (m) oval_->SetLook(ToQColor(m->FillColor()), ToQColor(m->BorderColor()), m->BorderWidth());
    }

private:
    OvalWidget* oval_;
};

class ProgressBarPeer : public ControlPeer {
public:
    ProgressBarPeer(fw::ProgressBar& bar, QProgressBar* w) : ControlPeer(bar, w), bar_(w) { w->setTextVisible(false); }

protected:
    void SyncOwn(const std::string&) override {
        auto m = Model<fw::ProgressBar>();
        if (!m) return;
        // A maximum of 0 is the busy bar that moves without an end.
        const int maximum = std::max(0, m->Maximum());
        bar_->setRange(0, maximum);
        if (maximum > 0) bar_->setValue(std::clamp(m->Value(), 0, maximum));
    }

private:
    QProgressBar* bar_;
};

class UpDownArrowsPeer : public ControlPeer {
public:
    UpDownArrowsPeer(fw::UpDownArrows& arrows, QWidget* parent)
        : UpDownArrowsPeer(arrows, new UpDownArrowsWidget(parent, Raiser(arrows, true), Raiser(arrows, false))) {}

protected:
    void SyncOwn(const std::string&) override {
        auto m = Model<fw::UpDownArrows>();
        if (m) arrows_->SetAcceptFocus(m->AcceptFocus());
    }

private:
    UpDownArrowsPeer(fw::UpDownArrows& arrows, UpDownArrowsWidget* w) : ControlPeer(arrows, w), arrows_(w) {}
    static std::function<void()> Raiser(fw::UpDownArrows& arrows, bool up) {
        std::weak_ptr<fw::Object> weak = arrows.weak_from_this();
        return [weak, up] {
            auto m = std::dynamic_pointer_cast<fw::UpDownArrows>(weak.lock());
            if (m) Deliver([&] { up ? fw::PeerAccess::Up(*m) : fw::PeerAccess::Down(*m); });
        };
    }
    UpDownArrowsWidget* arrows_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeControlPeer(fw::RectControl& control, QWidget* parent) {
    std::unique_ptr<ControlPeer> peer;
    if (auto* area = dynamic_cast<fw::TextArea*>(&control)) {
        peer = MakeTextAreaPeer(*area, parent);
    } else if (auto* label = dynamic_cast<fw::Label*>(&control)) {
        peer = std::make_unique<LabelPeer>(*label, new QLabel(parent));
    } else if (auto* box = dynamic_cast<fw::CheckBox*>(&control)) {
        peer = std::make_unique<CheckBoxPeer>(*box, new QCheckBox(parent));
    } else if (auto* button = dynamic_cast<fw::PushButton*>(&control)) {
        peer = std::make_unique<PushButtonPeer>(*button, new QPushButton(parent));
    } else if (auto* oval = dynamic_cast<fw::Oval*>(&control)) {
        peer = std::make_unique<OvalPeer>(*oval, new OvalWidget(parent));
    } else if (auto* bar = dynamic_cast<fw::ProgressBar*>(&control)) {
        peer = std::make_unique<ProgressBarPeer>(*bar, new QProgressBar(parent));
    } else if (auto* arrows = dynamic_cast<fw::UpDownArrows*>(&control)) {
        peer = std::make_unique<UpDownArrowsPeer>(*arrows, parent);
    }
    if (peer) peer->Sync("");
    return peer;
}

}  // namespace desktop
