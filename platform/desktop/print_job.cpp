#include "platform/desktop/print_job.h"

#include "platform/desktop/cups_status.h"
#include "platform/desktop/qt_conversions.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageRanges>
#include <QTextOption>
#include <QTransform>

#include <algorithm>

namespace desktop {

PageMapping MapPageModel(const QRectF& paper, const QMarginsF& printerMargins) {
    const QRectF area = paper.marginsRemoved(printerMargins);
    const double height = PrintJob::kModelHeight + PrintJob::kFootRoom;
    PageMapping m;
    m.scale = std::min({1.0, area.width() / PrintJob::kModelWidth, area.height() / height});
    if (m.scale <= 0) m.scale = 1;  // no printable area reported: nothing better to go by
    // The preferred inset, pulled back into the area where the model would
    // stick out of it, and never before its start.
    auto place = [](double preferred, double start, double room, double extent) {
        return std::max(start, std::min(preferred, start + room - extent));
    };
    m.left =
        place(paper.left() + PrintJob::kPreferredInset, area.left(), area.width(), PrintJob::kModelWidth * m.scale);
    m.top = place(paper.top() + PrintJob::kPreferredInset, area.top(), area.height(), height * m.scale);
    return m;
}

PrintJob::PrintJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    printer_->setDocName(QString::fromUtf8(kJobName));
    // The margins the printer asks for, read before full-page mode hides them.
    const QPageLayout layout = printer_->pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    mapping_ = MapPageModel(paper, layout.margins(QPageLayout::Point));
    // Margins that meet or cross leave nothing to print on: the page would
    // stand off the paper.
    if (!paper.isEmpty() && paper.marginsRemoved(layout.margins(QPageLayout::Point)).isEmpty())
        Fail("The margins chosen leave no room on the paper: make them smaller and print again.");
    // The painter's origin is the paper's corner; the mapping keeps to the margins.
    printer_->setFullPage(true);
    // Copies and the order of the pages are done here, for every printer:
    // no engine changes the order, the PDF file makes no copies, and Qt hands
    // the print system the number of copies but not whether to collate them.
    copies_ = std::max(1, printer_->copyCount());
    collate_ = printer_->collateCopies();
    printer_->setCopyCount(1);
    twoSided_ = printer_->duplex() != QPrinter::DuplexNone;
    reverse_ = printer_->pageOrder() == QPrinter::LastPageFirst;
    keep_ = reverse_ || (copies_ > 1 && collate_);
    StartPage();
}

PrintJob::~PrintJob() { Finish(); }

void PrintJob::Fail(const std::string& why) {
    if (failure_.empty()) failure_ = why;
}

bool PrintJob::Chosen(int page) const {
    if (printer_->printRange() != QPrinter::PageRange) return true;
    const QPageRanges ranges = printer_->pageRanges();
    return ranges.isEmpty() || ranges.contains(page);
}

bool PrintJob::HandOver(std::string& why) {
    if (printer_->printerState() == QPrinter::Error || printer_->printerState() == QPrinter::Aborted) {
        why = "The printer did not take the job.";
        return false;
    }
    // A printer of the print system: the job went to CUPS as the painter ended.
    if (printer_->outputFormat() == QPrinter::NativeFormat) return CupsTookLastJob(why);
    return true;
}

// A fresh sheet to paint on: the painter starts on the first, the others are
// new pages; the mapping again on each, whatever the engine resets.
bool PrintJob::NextSheet() {
    if (!started_) {
        if (!painter_.begin(printer_.get())) {
            Fail("The printer could not be opened.");
            return false;
        }
        started_ = true;
    } else if (!printer_->newPage()) {
        Fail("The printer stopped taking pages.");
        return false;
    }
    ApplyMapping();
    return true;
}

void PrintJob::StartPage() {
    chosen_ = failure_.empty() && Chosen(page_);
    // Pages that are kept are painted when the job finishes.
    if (chosen_ && !keep_) chosen_ = NextSheet();
}

void PrintJob::EndPage() {
    if (!chosen_) return;
    if (keep_) {
        kept_.push_back(std::move(pageOps_));
    } else {
        // Uncollated copies follow their page at once.
        for (int copy = 1; copy < copies_ && NextSheet(); ++copy)
            for (const PaintOp& op : pageOps_) op(painter_);
    }
    pageOps_.clear();
}

void PrintJob::PaintKeptPages() {
    if (reverse_) std::reverse(kept_.begin(), kept_.end());
    const int sets = collate_ ? copies_ : 1, each = collate_ ? 1 : copies_;
    for (int set = 0; set < sets; ++set) {
        // On both sides of the paper, a set of an odd number of pages ends
        // with a blank one, so that the next set starts on a sheet of its own.
        if (set > 0 && twoSided_ && kept_.size() % 2 == 1 && !NextSheet()) return;
        for (const auto& page : kept_)
            for (int copy = 0; copy < each; ++copy) {
                if (!NextSheet()) return;
                for (const PaintOp& op : page) op(painter_);
            }
    }
}

void PrintJob::Finish() {
    if (finished_) return;
    finished_ = true;
    EndPage();
    if (failure_.empty()) PaintKeptPages();
    kept_.clear();
    if (!started_) {
        if (failure_.empty()) {
            Fail("It has " + std::to_string(page_) + (page_ == 1 ? " page" : " pages") +
                 ": none of the pages chosen is among them.");
        }
        return;
    }
    if (!painter_.end()) Fail("The printer could not finish the job.");
    std::string why;
    if (failure_.empty() && !HandOver(why)) Fail(why);
}

void PrintJob::ApplyMapping() {
    if (!painter_.isActive()) return;
    const double unit = Scale();
    QTransform t;
    t.translate(mapping_.left * unit, mapping_.top * unit);
    t.scale(mapping_.scale, mapping_.scale);
    painter_.setTransform(t);
}

void PrintJob::Paint(PaintOp op) {
    if (finished_ || !chosen_) return;
    if (!keep_) op(painter_);
    if (keep_ || copies_ > 1) pageOps_.push_back(std::move(op));
}

void PrintJob::SetFont(const std::string& name) { family_ = name; }
void PrintJob::SetSize(double points) {
    if (points > 0) size_ = points;
}
void PrintJob::SetColor(const fw::Color& c) { color_ = ToQColor(c); }
void PrintJob::SetBold(bool bold) { bold_ = bold; }

QFont PrintJob::CurrentFont() const {
    // Fonts are sized in points, which Qt turns into the printer's device units.
    QFont f = FontFor(family_, size_, bold_);
    return QFont(f, printer_.get());
}

double PrintJob::Scale() const { return printer_->resolution() / 72.0; }

QPointF PrintJob::ToLayout(double x, double y) const { return QPointF(x * Scale(), y * Scale()); }

void PrintJob::DrawString(const std::string& text, double x, double y, double wrapWidth, bool) {
    const QFont font = CurrentFont();
    const QColor color = color_;
    const QString s = ToQ(text);
    const QPointF at = ToLayout(x, y);
    if (wrapWidth <= 0) {
        Paint([=](QPainter& p) {
            p.setFont(font);
            p.setPen(color);
            p.drawText(at, s);
        });
        return;
    }
    // Wrapped: the first line's baseline at y, the others below it.
    const QFontMetricsF fm(font, printer_.get());
    const QRectF box(at.x(), at.y() - fm.ascent(), wrapWidth * Scale(), 1e6);
    Paint([=](QPainter& p) {
        p.setFont(font);
        p.setPen(color);
        p.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, s);
    });
}

void PrintJob::NextPage() {
    if (finished_) return;
    EndPage();
    ++page_;
    StartPage();
}

}  // namespace desktop
