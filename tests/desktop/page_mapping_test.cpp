// Where the 540 x 720 page model lands on each paper: inside what the printer
// can mark, as large as fits but never above 1:1, and where it always stood
// (half an inch in from the corner) on the papers it already fitted.
#include "platform/desktop/print_job.h"

#include <QPageLayout>
#include <QPageSize>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Case {
    const char* name;
    QPageSize::PageSizeId size;
    QPageLayout::Orientation orientation;
    double margin;       // the printer's, on every side, in points
    bool fitsAsItStood;  // the model and its foot fitted at 1:1, half an inch in
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

// Qt's PDF output asks for 10-point margins; the wide one is a printer that
// cannot mark the outer 3/4 inch.
const Case kCases[] = {
    {"LetterPortrait", QPageSize::Letter, QPageLayout::Portrait, 10, true},
    {"LetterLandscape", QPageSize::Letter, QPageLayout::Landscape, 10, false},
    {"A4Portrait", QPageSize::A4, QPageLayout::Portrait, 10, true},
    {"A4Landscape", QPageSize::A4, QPageLayout::Landscape, 10, false},
    {"A5Portrait", QPageSize::A5, QPageLayout::Portrait, 10, false},
    {"A5Landscape", QPageSize::A5, QPageLayout::Landscape, 10, false},
    {"A3Landscape", QPageSize::A3, QPageLayout::Landscape, 10, true},
    {"LetterNoMargins", QPageSize::Letter, QPageLayout::Portrait, 0, true},
    {"LetterWideMargins", QPageSize::Letter, QPageLayout::Portrait, 54, false},
};

class PageMappingTest : public ::testing::TestWithParam<Case> {};

TEST_P(PageMappingTest, ModelFitsThePrintableAreaAtMostOneToOne) {
    const Case& c = GetParam();
    const QPageLayout layout(
        QPageSize(c.size), c.orientation, QMarginsF(c.margin, c.margin, c.margin, c.margin), QPageLayout::Point);
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const QRectF area = paper.marginsRemoved(layout.margins(QPageLayout::Point));
    const desktop::PageMapping m = desktop::MapPageModel(paper, layout.margins(QPageLayout::Point));

    const double width = desktop::PrintJob::kModelWidth * m.scale;
    const double height = (desktop::PrintJob::kModelHeight + desktop::PrintJob::kFootRoom) * m.scale;
    const double slack = 1e-6;
    EXPECT_GT(m.scale, 0);
    EXPECT_LE(m.scale, 1.0);
    EXPECT_GE(m.left, area.left() - slack);
    EXPECT_GE(m.top, area.top() - slack);
    EXPECT_LE(m.left + width, area.right() + slack);
    EXPECT_LE(m.top + height, area.bottom() + slack);
    if (c.fitsAsItStood) {
        EXPECT_EQ(m.scale, 1.0);
        EXPECT_EQ(m.left, 36.0);
        EXPECT_EQ(m.top, 36.0);
    } else {
        // Scaled no further than it must: it spans the area's width or height.
        EXPECT_LT(m.scale, 1.0);
        EXPECT_TRUE(std::abs(width - area.width()) < 1e-6 || std::abs(height - area.height()) < 1e-6)
            << width << " x " << height << " in " << area.width() << " x " << area.height();
    }
}

INSTANTIATE_TEST_SUITE_P(Papers, PageMappingTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
