// Printing through QPrinter. The program draws on a page model of 540 x 720
// points (y of a drawn string is its baseline); the job maps that model onto
// the printable area of whatever paper and orientation were chosen.
#pragma once

#include "platform/backend.h"
#include "platform/framework.h"

#include <QFont>
#include <QMarginsF>
#include <QPainter>
#include <QPrinter>
#include <QRectF>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace desktop {

// Where the page model lands on the paper, in points from the paper's
// top-left corner: model point (x, y) is at (left + x * scale, top + y * scale).
struct PageMapping {
    double scale = 1;
    double left = 0;
    double top = 0;
};

// The model is drawn at 1:1, half an inch in from the paper's top-left corner,
// where that fits inside the printable area (paper less the printer's margins);
// otherwise it is scaled down until it fits and moved in as far as needed.
PageMapping MapPageModel(const QRectF& paper, const QMarginsF& printerMargins);

// The job draws only the pages chosen in the printer dialog, in the order
// chosen, and draws the copies asked for, collated or not. Nothing is started on the printer before the first page it
// paints, so that a job that cannot print leaves no file or print behind.
class PrintJob : public fw::PrintJobPeer {
public:
    static constexpr double kModelWidth = 540.0;
    static constexpr double kModelHeight = 720.0;
    // The page foot's baseline is the model's bottom edge: its descenders need
    // room below it.
    static constexpr double kFootRoom = 12.0;
    static constexpr double kPreferredInset = 36.0;  // from the paper's edge, where it fits
    // What the queue and the file's title call the job.
    static constexpr const char* kJobName = "Quorrel Help";

    // Prints on the printer as the dialog has set it up.
    explicit PrintJob(std::unique_ptr<QPrinter> printer);
    ~PrintJob() override;

    void SetFont(const std::string& name) override;
    void SetSize(double points) override;
    void SetColor(const fw::Color& c) override;
    void SetBold(bool bold) override;
    void DrawString(const std::string& text, double x, double y, double wrapWidth, bool condense) override;
    void NextPage() override;
    void Finish() override;
    std::string Failure() const override { return failure_; }

    // Something drawn on the page: in layout units (text laid out at the
    // printer's resolution as if at 1:1); the painter's transform puts it
    // where the mapping says. Drawn only on pages chosen, and again on copies.
    using PaintOp = std::function<void(QPainter&)>;
    void Paint(PaintOp op);

    // For the styled-text printer.
    QPrinter& Printer() { return *printer_; }
    QFont CurrentFont() const;
    QColor CurrentColor() const { return color_; }
    // Layout units per model point, and a model point in layout units.
    double Scale() const;
    QPointF ToLayout(double x, double y) const;
    const PageMapping& Mapping() const { return mapping_; }

private:
    // After the painter has ended: false (with why) when the printer or the
    // print system did not take the job.
    bool HandOver(std::string& why);
    void Fail(const std::string& why);
    void StartPage();  // the model page page_ begins
    void EndPage();    // the model page page_ is drawn: its copies follow
    bool NextSheet();
    void PaintKeptPages();
    void ApplyMapping();
    bool Chosen(int page) const;

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    PageMapping mapping_;
    std::string family_ = "System";
    double size_ = 12;
    bool bold_ = false;
    QColor color_ = Qt::black;

    int page_ = 1;          // the model page being drawn
    bool chosen_ = false;   // and whether it is one the user chose
    bool started_ = false;  // the painter is on the printer
    int copies_ = 1;        // that this job draws
    bool collate_ = true;
    bool reverse_ = false;                    // last page first
    bool twoSided_ = false;                   // both sides of the paper
    bool keep_ = false;                       // pages are painted when the job finishes (collated copies, reversed)
    std::vector<PaintOp> pageOps_;            // what the current page drew, for its copies
    std::vector<std::vector<PaintOp>> kept_;  // every page chosen, when kept
    std::string failure_;
    bool finished_ = false;
};

// Draws a styled text onto a job, a block of whole lines at a time.
std::unique_ptr<fw::StyledTextPrinterPeer> MakeStyledTextPrinter(fw::TextArea& area, PrintJob& job, double lineWidth);

}  // namespace desktop
