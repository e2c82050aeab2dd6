#include "platform/desktop/message_dialog_view.h"

#include "platform/desktop/desktop_monitors.h"

#include "platform/desktop/qt_conversions.h"

#include <QClipboard>
#include <QCursor>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextLayout>

#include <cmath>
#include <vector>

namespace desktop {
namespace {

constexpr int kMaxTextWidth = 420;  // a column that reads easily
constexpr int kSpacing = 12;
// Room kept for the frame and title bar a window manager adds.
constexpr int kFrameRoomX = 32, kFrameRoomY = 64;
// Lines are laid out a block at a time, and no block may be too long to lay
// out at once (a single word of a megabyte, say): a block ends at the first
// line break after kBlockChars characters or, where none comes, after a blank
// past kLongLineChars, or anywhere at kHardBlockChars. Such an end shows as an
// early line break, one in a hundred lines at most.
constexpr int kBlockChars = 4096, kLongLineChars = 2 * kBlockChars, kHardBlockChars = 4 * kBlockChars;
// Only this much of a text is measured for the width it would like.
constexpr int kNaturalWidthChars = 2000;
// The user state of a block whose end is no break of the text.
constexpr int kJoined = 1;

// The text as the pane holds it: line breaks are line separators inside a
// block, and paragraph separators between blocks; `joined` numbers the blocks
// whose end is no break of the text.
struct DisplayText {
    QString shown;
    std::vector<int> joined;
};

DisplayText ForDisplay(const QString& text) {
    DisplayText d;
    d.shown.reserve(text.size() + 1);
    int run = 0, block = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;  // CR LF is one break
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            const bool ends = run >= kBlockChars;
            d.shown += ends ? QChar(QChar::ParagraphSeparator) : QChar(QChar::LineSeparator);
            if (ends) {
                run = 0;
                ++block;
            }
            continue;
        }
        d.shown += c;
        ++run;
        const bool splits = c.isHighSurrogate() || (i + 1 < text.size() && text[i + 1].isMark());
        if (!splits && ((run >= kLongLineChars && c.isSpace()) || run >= kHardBlockChars)) {
            d.shown += QChar::ParagraphSeparator;
            d.joined.push_back(block++);
            run = 0;
        }
    }
    return d;
}

// A read-only text that looks like a label: plain text only, selectable with
// the mouse, scrolling when it is taller than the room it is given.
class TextPane : public QPlainTextEdit {
public:
    TextPane(const QString& text, QWidget* parent) : QPlainTextEdit(parent) {
        setReadOnly(true);
        setTextInteractionFlags(Qt::TextSelectableByMouse);
        setUndoRedoEnabled(false);
        setFocusPolicy(Qt::NoFocus);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setLineWrapMode(QPlainTextEdit::WidgetWidth);
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        document()->setDocumentMargin(0);
        QPalette pal = palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Window));
        setPalette(pal);
        const DisplayText display = ForDisplay(text);
        setPlainText(display.shown);
        QTextBlock b = document()->begin();
        int number = 0;
        for (int joined : display.joined) {
            for (; b.isValid() && number < joined; b = b.next()) ++number;
            if (b.isValid()) b.setUserState(kJoined);
        }
    }

    // The text as shown, or its selected part, with its line breaks.
    QString Shown(bool selectionOnly) const {
        QTextCursor c = textCursor();
        if (!selectionOnly) c.select(QTextCursor::Document);
        const int start = c.selectionStart(), end = c.selectionEnd();
        QString text;
        for (QTextBlock b = document()->findBlock(start); b.isValid() && b.position() <= end; b = b.next()) {
            const int blockEnd = b.position() + b.length() - 1;  // where its separator stands
            const int from = std::max(start, b.position());
            text += b.text().mid(from - b.position(), std::min(end, blockEnd) - from);
            if (blockEnd < end && b.userState() != kJoined) text += u'\n';
        }
        return text.replace(QChar::LineSeparator, u'\n');
    }
    bool HasSelection() const { return textCursor().hasSelection(); }

    // The height of the text laid out `width` wide, counted no further than
    // just past `limit`.
    int ContentHeight(int width, int limit) const {
        QTextOption option = document()->defaultTextOption();
        option.setWrapMode(wordWrapMode());
        qreal height = 0;
        for (QTextBlock b = document()->begin(); b.isValid() && height <= limit; b = b.next()) {
            QTextLayout layout(b.text(), font());
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid() && height <= limit; line = layout.createLine()) {
                line.setLeadingIncluded(true);
                line.setLineWidth(width);
                height += line.height();
            }
            layout.endLayout();
        }
        return static_cast<int>(std::ceil(height)) + 1;
    }

    // The width the text's longest line would like (up to `limit`).
    int NaturalWidth(int limit) const {
        if (document()->characterCount() > kNaturalWidthChars) return limit;
        const QFontMetrics metrics(font());
        int widest = 0;
        for (const QString& line : Shown(false).split(u'\n'))
            widest = std::max(widest, metrics.horizontalAdvance(line) + 2);
        return std::min(widest, limit);
    }

protected:
    QMimeData* createMimeDataFromSelection() const override {
        auto* data = new QMimeData;
        data->setText(Shown(true));
        return data;
    }
};

TextPane* Pane(QPlainTextEdit* edit) { return static_cast<TextPane*>(edit); }

}  // namespace

MessageDialogView::MessageDialogView(const QString& title, QMessageBox::Icon icon, const QString& message,
                                     const QString& explanation)
    // A title and a close button, no more: the dialog keeps its size.
    : QDialog(nullptr, Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      title_(title) {
    setWindowTitle(PlainTitle(title));
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(kSpacing);
    grid->setVerticalSpacing(kSpacing);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    if (icon != QMessageBox::NoIcon) {
        const QStyle::StandardPixmap picture = icon == QMessageBox::Information ? QStyle::SP_MessageBoxInformation
                                               : icon == QMessageBox::Warning   ? QStyle::SP_MessageBoxWarning
                                               : icon == QMessageBox::Critical  ? QStyle::SP_MessageBoxCritical
                                                                                : QStyle::SP_MessageBoxQuestion;
        const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        icon_ = new QLabel(this);
        icon_->setPixmap(style()->standardIcon(picture, nullptr, this).pixmap(side, side));
        grid->addWidget(icon_, 0, 0, 2, 1, Qt::AlignTop);
    }
    message_ = new TextPane(message, this);
    grid->addWidget(message_, 0, 1);
    if (!explanation.isEmpty()) {
        explanation_ = new TextPane(explanation, this);
        grid->addWidget(explanation_, 1, 1);
    }
    buttons_ = new QDialogButtonBox(Qt::Horizontal, this);
    grid->addWidget(buttons_, 2, 0, 1, 2);
    connect(buttons_, &QDialogButtonBox::clicked, this, [this](QAbstractButton* button) {
        pressed_ = button;
        accept();
    });
    // The program's own face, as its windows have, for every text and button
    // in it: a theme's large font would make the dialog tall and crowded.
    setFont(SystemFace());
}

QPushButton* MessageDialogView::AddButton(const QString& caption, QDialogButtonBox::ButtonRole role) {
    return buttons_->addButton(caption, role);
}

void MessageDialogView::SetDefaultButton(QPushButton* button) {
    button->setDefault(true);
    button->setFocus();
}

QAbstractButton* MessageDialogView::Run() {
    FitToScreen();
    exec();
    return pressed_;
}

void MessageDialogView::reject() {
    pressed_ = escape_;
    QDialog::reject();
}

void MessageDialogView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QString text;
        for (QPlainTextEdit* pane : {message_, explanation_})
            if (pane && Pane(pane)->HasSelection()) text = Pane(pane)->Shown(true);
        QGuiApplication::clipboard()->setText(text.isEmpty() ? ShownText() : text);
        return;
    }
    // The panes take no focus (Return and Escape stay the buttons'): Page Up
    // and Page Down scroll the text that scrolls from the keyboard.
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        QPlainTextEdit* pane =
            explanation_ && explanation_->verticalScrollBar()->maximum() > 0 ? explanation_ : message_;
        pane->verticalScrollBar()->triggerAction(event->key() == Qt::Key_PageUp ? QAbstractSlider::SliderPageStepSub
                                                                                : QAbstractSlider::SliderPageStepAdd);
        return;
    }
    QDialog::keyPressEvent(event);
}

// Laid out like the message boxes of the desktop, which users know to copy.
QString MessageDialogView::ShownText() const {
    const QString rule = QStringLiteral("---------------------------\n");
    QString text = rule + title_ + u'\n' + rule + Pane(message_)->Shown(false) + u'\n' + rule;
    if (explanation_) text += Pane(explanation_)->Shown(false) + u'\n' + rule;
    for (const QAbstractButton* button : buttons_->buttons()) text += button->text() + QStringLiteral("   ");
    return text + u'\n' + rule;
}

// The texts take the width they like up to one column; what does not fit the
// screen's height scrolls, the message and the explanation sharing the room.
void MessageDialogView::FitToScreen() {
    const QRect room = WorkAreaAt(QCursor::pos());
    auto* grid = static_cast<QGridLayout*>(layout());
    const QMargins margins = grid->contentsMargins();
    const int iconWidth = icon_ ? icon_->sizeHint().width() + kSpacing : 0;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int widest = std::max(
        100,
        std::min(kMaxTextWidth, room.width() - kFrameRoomX - margins.left() - margins.right() - iconWidth - scrollBar));
    int width = Pane(message_)->NaturalWidth(widest);
    if (explanation_) width = std::max(width, Pane(explanation_)->NaturalWidth(widest));

    const int chrome =
        margins.top() + margins.bottom() + buttons_->sizeHint().height() + kSpacing * (explanation_ ? 2 : 1);
    const int lineHeight = fontMetrics().lineSpacing();
    const int budget = std::max(3 * lineHeight, room.height() - kFrameRoomY - chrome);
    const int messageNeeds = Pane(message_)->ContentHeight(width, budget);
    const int explanationNeeds = explanation_ ? Pane(explanation_)->ContentHeight(width, budget) : 0;
    int messageHeight = messageNeeds, explanationHeight = explanationNeeds;
    if (messageHeight + explanationHeight > budget) {
        if (!explanation_) {
            messageHeight = budget;
        } else if (messageHeight <= budget / 2) {
            explanationHeight = budget - messageHeight;
        } else if (explanationHeight <= budget / 2) {
            messageHeight = budget - explanationHeight;
        } else {
            messageHeight = budget / 2;
            explanationHeight = budget - messageHeight;
        }
    }
    // A pane that scrolls gets its bar beside the text's width.
    auto size = [&](QPlainTextEdit* pane, int needs, int height) {
        pane->setFixedSize(width + (needs > height ? scrollBar : 0), height);
    };
    size(message_, messageNeeds, messageHeight);
    if (explanation_) size(explanation_, explanationNeeds, explanationHeight);
    // Centred on that room, whatever Qt takes the screens to be.
    adjustSize();
    move(room.center() - QPoint(this->width() / 2, this->height() / 2));
}

}  // namespace desktop
