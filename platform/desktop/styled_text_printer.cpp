#include "platform/desktop/print_job.h"
#include "platform/desktop/qt_conversions.h"
#include "platform/desktop/styled_text.h"

#include <QTextLayout>

#include <deque>
#include <memory>
#include <vector>

namespace desktop {
namespace {

// Lays the text out one paragraph at a time, as the blocks need its lines,
// so that printing takes time in proportion to the pages printed, whatever
// the text's length. A paragraph's layout lives as long as a line of it
// waits to be drawn, or a page that drew one is kept for its copies.
class StyledTextPrinter : public fw::StyledTextPrinterPeer {
public:
    StyledTextPrinter(fw::TextArea& area, PrintJob& job, double lineWidth)
        : job_(job),
          text_(ToQ(area.Text())),
          styles_(area.Styles()),
          font_(job.CurrentFont()),
          width_(lineWidth * job.Scale()) {
        base_.setFont(font_);
        base_.setForeground(job.CurrentColor());
        if (text_.isEmpty()) next_ = -1;
    }

    void DrawBlock(double x, double y, double height) override {
        if (!LineWaiting()) return;
        const double limit = height * job_.Scale();
        const double top = waiting_.front().top;
        std::vector<Line> block;  // at least one line, so that a block always moves on
        do {
            block.push_back(std::move(waiting_.front()));
            waiting_.pop_front();
        } while (LineWaiting() && waiting_.front().bottom - top <= limit);
        const QPointF at = job_.ToLayout(x, y);
        const QColor pen = job_.CurrentColor();
        // Only this block's lines: the lines before and after it belong to
        // other pages, and a clipped copy would still be in the output
        // (found by search, copied twice).
        job_.Paint([block = std::move(block), at, top, pen](QPainter& p) {
            p.save();
            p.translate(at.x(), at.y() - top);
            p.setPen(pen);
            for (const Line& line : block) line.layout->lineAt(line.index).draw(&p, QPointF(0, line.top));
            p.restore();
        });
    }

    bool AtEnd() override { return waiting_.empty() && next_ < 0; }

private:
    struct Line {
        std::shared_ptr<QTextLayout> layout;
        int index;           // within the layout
        double top, bottom;  // in the text's coordinates
    };

    // A line waits to be drawn: the next paragraph is laid out when none does.
    bool LineWaiting() {
        while (waiting_.empty() && next_ >= 0) LayOutNextParagraph();
        return !waiting_.empty();
    }

    void LayOutNextParagraph() {
        const qsizetype from = next_;
        qsizetype end = from;
        while (end < text_.size() && text_[end] != QChar('\r') && text_[end] != QChar('\n')) ++end;
        next_ = end < text_.size() ? end + 1 : -1;  // a break at the very end leaves an empty paragraph
        const QString paragraph = text_.mid(from, end - from);

        // Runs of one style, in the paragraph's UTF-16 units; the styles count code points.
        QList<QTextLayout::FormatRange> runs;
        for (qsizetype i = 0; i < paragraph.size();) {
            const fw::CharStyle style = StyleAt(styleIndex_);
            const qsizetype units = paragraph[i].isHighSurrogate() && i + 1 < paragraph.size() ? 2 : 1;
            if (runs.isEmpty() || !(style == runStyle_)) {
                runs.push_back({static_cast<int>(i), 0, FormatFor(style, base_)});
                runStyle_ = style;
            }
            runs.back().length += static_cast<int>(units);
            i += units;
            ++styleIndex_;
        }
        ++styleIndex_;  // the break

        auto layout = std::make_shared<QTextLayout>(paragraph, font_, &job_.Printer());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout->setTextOption(option);
        layout->setFormats(runs);
        // Every line stands at the layout's origin and is drawn where its own
        // top says: Qt's fixed-point positions would overflow down a long
        // paragraph at the printer's resolution.
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width_);
            line.setLeadingIncluded(true);
            line.setPosition(QPointF(0, 0));
            waiting_.push_back({layout, line.lineNumber(), top_, top_ + line.height()});
            top_ += line.height();
        }
        layout->endLayout();
    }

    fw::CharStyle StyleAt(size_t index) const { return index < styles_.size() ? styles_[index] : fw::CharStyle{}; }

    PrintJob& job_;
    const QString text_;
    const std::vector<fw::CharStyle> styles_;
    const QFont font_;
    QTextCharFormat base_;
    const double width_;
    qsizetype next_ = 0;  // where the next paragraph starts, -1 after the last
    size_t styleIndex_ = 0;
    fw::CharStyle runStyle_;
    double top_ = 0;            // of the next line laid out
    std::deque<Line> waiting_;  // laid out, not yet drawn
};

}  // namespace

std::unique_ptr<fw::StyledTextPrinterPeer> MakeStyledTextPrinter(fw::TextArea& area, PrintJob& job, double lineWidth) {
    return std::make_unique<StyledTextPrinter>(area, job, lineWidth);
}

}  // namespace desktop
