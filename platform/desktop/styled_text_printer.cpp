#include "platform/desktop/print_job.h"
#include "platform/desktop/styled_text.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <vector>

namespace desktop {
namespace {

class StyledTextPrinter : public fw::StyledTextPrinterPeer {
public:
    StyledTextPrinter(fw::TextArea& area, PrintJob& job, double lineWidth) : job_(job) {
        QTextCharFormat base;
        base.setFont(job.CurrentFont());
        base.setForeground(job.CurrentColor());
        doc_.documentLayout()->setPaintDevice(&job.Printer());
        doc_.setDefaultFont(job.CurrentFont());
        doc_.setDocumentMargin(0);
        StyledText styled{area.Text(), area.Styles()};
        FillDocument(doc_, styled, base);
        doc_.setTextWidth(lineWidth * job.Scale());
        CollectLines();
    }

    void DrawBlock(double x, double y, double height) override {
        if (AtEnd()) return;
        const double limit = height * job_.Scale();
        const double top = lines_[next_].top;
        size_t end = next_ + 1;  // at least one line, so that a block always moves on
        while (end < lines_.size() && lines_[end].bottom - top <= limit) ++end;
        QPainter& p = job_.Painter();
        if (p.isActive()) {
            p.save();
            const QPointF at = job_.ToLayout(x, y);
            p.translate(at.x(), at.y() - top);
            p.setPen(job_.CurrentColor());
            // Only this block's lines: the lines before and after it belong to
            // other pages, and a clipped copy would still be in the output
            // (found by search, copied twice).
            for (size_t i = next_; i < end; ++i) {
                const QTextLayout* layout = lines_[i].block.layout();
                layout->lineAt(lines_[i].index).draw(&p, layout->position());
            }
            p.restore();
        }
        next_ = end;
    }

    bool AtEnd() override { return next_ >= lines_.size(); }

private:
    struct Line {
        QTextBlock block;
        int index;  // within the block's layout
        double top, bottom;
    };

    // Every laid-out line in document coordinates, in order.
    void CollectLines() {
        doc_.documentLayout()->documentSize();  // lays the whole document out
        for (QTextBlock b = doc_.begin(); b.isValid(); b = b.next()) {
            const QTextLayout* tl = b.layout();
            const double blockTop = tl->position().y();
            for (int i = 0; i < tl->lineCount(); ++i) {
                const QTextLine line = tl->lineAt(i);
                const double top = blockTop + line.y();
                lines_.push_back({b, i, top, top + line.height()});
            }
        }
    }

    PrintJob& job_;
    QTextDocument doc_;
    std::vector<Line> lines_;
    size_t next_ = 0;
};

}  // namespace

std::unique_ptr<fw::StyledTextPrinterPeer> MakeStyledTextPrinter(fw::TextArea& area, PrintJob& job, double lineWidth) {
    return std::make_unique<StyledTextPrinter>(area, job, lineWidth);
}

}  // namespace desktop
