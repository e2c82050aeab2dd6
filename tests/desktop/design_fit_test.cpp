// Every text that a window design shows, measured with the font the desktop
// backend gives its control, must fit the control's width: the text, the
// control's own chrome (a check box's indicator and spacing, a button's
// margins and frame) and one pixel to spare. The table is read off the real
// windows, built through the real peers, so a new control or text is covered.
#include "app/app.h"
#include "capture/window1.h"
#include "platform/desktop/desktop_backend.h"
#include "platform/desktop/message_dialog_view.h"
#include "platform/desktop/qt_conversions.h"
#include "platform/desktop/window_widget.h"
#include "settings/settings.h"
#include "tests/support/bundle_file.h"
#include "tests/support/http_server.h"
#include "update/self_test.h"
#include "update/update_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

namespace {

namespace fs = std::filesystem;
using quorrel::test::HttpServer;

// One text in one control, as it stood when it was measured.
struct Row {
    std::string window, control, text, font;
    bool fontFound = true;  // the font's family is installed, not a fallback
    int textWidth = 0, chrome = 0, width = 0;
    int lineHeight = 0, lines = 1, height = 0;
    int Spare() const { return width - chrome - textWidth; }
};

// The width the text's ink and advance take, whichever reaches further.
int TextWidth(const QFontMetrics& fm, const QString& line) {
    const QRect ink = fm.boundingRect(line);
    return std::max(fm.horizontalAdvance(line), ink.right() + 1) - std::min(0, ink.left());
}

int Metric(QWidget* w, QStyle::PixelMetric m) { return w->style()->pixelMetric(m, nullptr, w); }

// The controls with text in every open design window, as they stand now.
std::vector<Row> MeasureOpenWindows() {
    std::vector<Row> rows;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<desktop::WindowWidget*>(top);
        if (!window || !window->isVisible()) continue;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            QString text;
            int chrome = 0, verticalChrome = 0;
            if (auto* label = qobject_cast<QLabel*>(w)) {
                text = label->text();
                chrome =
                    w->width() - label->contentsRect().width() + 2 * label->margin() + std::max(0, label->indent());
            } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
                text = box->text();
                chrome = Metric(w, QStyle::PM_IndicatorWidth) + Metric(w, QStyle::PM_CheckBoxLabelSpacing);
            } else if (auto* button = qobject_cast<QPushButton*>(w)) {
                text = button->text();
                chrome = 2 * Metric(w, QStyle::PM_ButtonMargin) + 2 * Metric(w, QStyle::PM_DefaultFrameWidth);
                verticalChrome = 2 * Metric(w, QStyle::PM_DefaultFrameWidth);
            } else {
                continue;
            }
            const QFont font = w->font();
            const QFontMetrics fm = w->fontMetrics();
            Row row;
            row.window = window->windowTitle().toStdString();
            row.control = w->objectName().toStdString();
            row.text = text.toStdString();
            row.font = QFontInfo(font).family().toStdString() + " " + std::to_string(QFontInfo(font).pixelSize()) +
                       " px" + (font.bold() ? " bold" : "");
            row.fontFound = QFontInfo(font).family() == font.family();
            row.chrome = chrome;
            row.width = w->width();
            // A multi-line label must hold every line unwrapped.
            const QStringList lines = text.split(QLatin1Char('\n'));
            for (const QString& line : lines) row.textWidth = std::max(row.textWidth, TextWidth(fm, line));
            row.lines = static_cast<int>(lines.size());
            row.lineHeight = fm.height();
            row.height = w->height() - verticalChrome;
            rows.push_back(row);
        }
    }
    return rows;
}

// A resources folder of the test's own: the built one, with the update
// server pointed at the loopback server.
fs::path MakeResources(const fs::path& home, int port) {
    const fs::path share = home / "share";
    fs::create_directories(share);
    for (const auto& entry : fs::directory_iterator(QUORREL_SHARE_DIR))
        fs::copy(entry.path(), share / entry.path().filename(), fs::copy_options::recursive);
    quorrel::test::SetBundleKeys(share / "bundle.ini",
                                 {{"UpdateHost", "127.0.0.1"}, {"UpdatePort", std::to_string(port)}});
    return share;
}

class TestBackend : public desktop::DesktopBackend {
public:
    TestBackend(std::unique_ptr<native::X11Input> input, std::string resources)
        : DesktopBackend(std::move(input)), resources_(std::move(resources)) {}
    std::string ResourcesPath() override { return resources_; }

private:
    std::string resources_;
};

// Runs Qt's events until done holds or the time is up.
bool ProcessEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

QPushButton* ButtonOf(const char* windowTitle, const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<desktop::WindowWidget*>(top) && top->isVisible() && top->windowTitle() == windowTitle)
            return top->findChild<QPushButton*>(name);
    return nullptr;
}

// Opens every window of the program and steps the period through its whole
// range, measuring each text as it shows.
std::vector<Row> MeasureEveryDesign(HttpServer& server) {
    std::vector<Row> rows;
    auto measure = [&rows] {
        for (Row& row : MeasureOpenWindows()) rows.push_back(std::move(row));
    };
    using namespace quorrel;
    measure();

    // The unit and value texts of every step, down to 1 s, up to 10 min and
    // down again (60 shows "Minutes(s)" only when reached from below).
    auto arrows = Window1Instance()->UpDownArrows1();
    for (int pass = 0; pass < 3; ++pass) {
        const bool up = pass == 1;
        for (int i = 0; i < 80; ++i) {
            up ? fw::PeerAccess::Up(*arrows) : fw::PeerAccess::Down(*arrows);
            measure();
        }
    }
    EXPECT_EQ(quorrel::MyPeriod, 1) << "the steps did not reach the end of the range";

    AppInstance()->_HelpShowHelp_Action();
    AppInstance()->_SoundAbout_Action();
    AppInstance()->_CheckforUpdateCheckNow_Action();

    // The Update window while the server has not answered yet.
    server.SetReply(HttpServer::Reply::Silent());
    QPushButton* check = ButtonOf("Self Test", "PushButton1");
    EXPECT_NE(check, nullptr);
    if (!check) return rows;
    check->click();
    EXPECT_TRUE(ProcessEventsUntil([&] { return server.RequestCount() == 1; }, std::chrono::seconds(10)));
    measure();
    if (QPushButton* cancel = ButtonOf("Update", "PushButton1")) cancel->click();

    // And with the version current: its status text shows under the message box.
    // The Update window is modal itself, so only the message box will do.
    const std::string version = AppInstance()->ShortVersion();
    server.SetReply(HttpServer::Reply::Ok("<CurrentVersion>" + version + "</CurrentVersion>"));
    bool sawMessage = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* modal = dynamic_cast<desktop::MessageDialogView*>(QApplication::activeModalWidget());
        if (!modal) return;
        measure();
        sawMessage = true;
        modal->close();
    });
    answer.start(20);
    check = ButtonOf("Self Test", "PushButton1");
    EXPECT_NE(check, nullptr);
    if (check) check->click();
    EXPECT_TRUE(ProcessEventsUntil([&] { return sawMessage; }, std::chrono::seconds(10)));
    answer.stop();
    return rows;
}

class DesignFit : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME"})
            if (const char* value = std::getenv(name)) savedEnv_[name] = value;
        std::string pattern = (fs::temp_directory_path() / "quorrel-fit-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        home_ = pattern;
        setenv("HOME", home_.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
    }
    void TearDown() override {
        // The backend's windows and its X connection go while Qt and the server are still there.
        fw::InstallBackend(nullptr);
        std::error_code ec;
        fs::remove_all(home_, ec);
        for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
            auto it = savedEnv_.find(name);
            if (it != savedEnv_.end()) setenv(name, it->second.c_str(), 1);
            else unsetenv(name);
        }
    }
    fs::path home_;
    std::map<std::string, std::string> savedEnv_;
};

TEST_F(DesignFit, EveryDesignTextFitsItsControlWithAPixelToSpare) {
    HttpServer server;
    auto input = native::X11Input::Open();
    ASSERT_TRUE(input);
    fw::InstallBackend(std::make_unique<TestBackend>(std::move(input), MakeResources(home_, server.Port()).string()));

    std::vector<Row> rows;
    QTimer start;
    QObject::connect(&start, &QTimer::timeout, [&] {
        auto panel = fw::RuntimeGetImplicitWindow("Window1.Window1");
        if (!panel) return;
        start.stop();
        desktop::Deliver([&] {
            rows = MeasureEveryDesign(server);
            quorrel::Window1Instance()->Close();  // saves and quits
        });
    });
    start.start(20);
    EXPECT_EQ(quorrel::main(), 0);

    // One row per window, control and text.
    std::map<std::tuple<std::string, std::string, std::string>, Row> table;
    for (const Row& row : rows) table.emplace(std::make_tuple(row.window, row.control, row.text), row);
    std::map<std::string, int> smallestSpare;
    std::set<std::string> controls;
    for (const auto& [key, row] : table) {
        std::string shown = row.text;
        for (size_t at = shown.find('\n'); at != std::string::npos; at = shown.find('\n', at + 2))
            shown.replace(at, 1, "\\n");
        const std::string where = row.window + " / " + row.control + " \"" + shown + "\" in " + row.font;
        std::printf("%-70s text %3d + chrome %2d of %3d: spare %3d\n",
                    where.c_str(),
                    row.textWidth,
                    row.chrome,
                    row.width,
                    row.Spare());
        EXPECT_TRUE(row.fontFound) << where << ": drawn in place of the family asked for, which is not installed";
        EXPECT_GE(row.Spare(), 1) << where << ": " << row.textWidth << " + " << row.chrome << " + 1 > " << row.width;
        EXPECT_LE(row.lines * row.lineHeight, row.height) << where << ": too tall";
        auto [it, fresh] = smallestSpare.emplace(row.window, row.Spare());
        if (!fresh) it->second = std::min(it->second, row.Spare());
        controls.insert(row.window + "/" + row.control);
    }
    for (const auto& [window, spare] : smallestSpare)
        std::printf("smallest spare in \"%s\": %d px\n", window.c_str(), spare);

    // Every window was measured, and the period's texts at every step.
    for (const char* window : {"Quorrel Control Panel", "Help", "About...", "Self Test", "Update"})
        EXPECT_TRUE(smallestSpare.count(window)) << window << " was not measured";
    for (const char* unit : {"Second(s)", "Minute(s)", "Minutes(s)"})
        EXPECT_TRUE(table.count({"Quorrel Control Panel", "StaticText2", unit})) << unit;
    EXPECT_TRUE(table.count({"Quorrel Control Panel", "StaticText3", "59"}));
    EXPECT_TRUE(table.count({"Update", "StaticText1", "This version is current."}));
}

// The face a design's plain "System" text shows in, read off the Control Panel's "every".
struct Face {
    QString family;
    int pixels = 0;
    bool operator==(const Face&) const = default;
};
Face FaceOf(const QWidget* w) {
    const QFontInfo info(w->font());
    return {info.family(), info.pixelSize()};
}
std::ostream& operator<<(std::ostream& os, const Face& f) {
    return os << f.family.toStdString() << " " << f.pixels << " px";
}

QWidget* WindowTitled(const char* title) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<desktop::WindowWidget*>(top) && top->isVisible() && top->windowTitle() == title) return top;
    return nullptr;
}

// Every title of the window's bar stands in the bar, none in its overflow
// menu; the bar and its menus show in the designs' face.
void ExpectEveryMenuTitleShows(const char* title, const QStringList& titles, const Face& face) {
    SCOPED_TRACE(title);
    QWidget* window = WindowTitled(title);
    ASSERT_NE(window, nullptr);
    auto* bar = window->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(FaceOf(bar), face);
    const QWidget* overflow = bar->findChild<QWidget*>(QStringLiteral("qt_menubar_ext_button"));
    EXPECT_FALSE(overflow && overflow->isVisible()) << "some menus are only in the bar's overflow menu";
    QStringList shown;
    for (QAction* menu : bar->actions()) {
        shown << menu->text();
        const QRect at = bar->actionGeometry(menu);
        EXPECT_TRUE(!at.isEmpty() && bar->rect().contains(at))
            << menu->text().toStdString() << " stands outside the bar, at x " << at.x() << " to " << at.right()
            << " of " << bar->width();
        ASSERT_NE(menu->menu(), nullptr);
        EXPECT_EQ(FaceOf(menu->menu()), face) << menu->text().toStdString();
    }
    EXPECT_EQ(shown, titles);
}

// Under any platform theme and desktop font the menus and the message boxes
// keep the designs' face, as the windows' own texts do.
TEST_F(DesignFit, EveryMenuTitleShowsInItsBarAndMessagesKeepTheDesignsFace) {
    HttpServer server;
    auto input = native::X11Input::Open();
    ASSERT_TRUE(input);
    fw::InstallBackend(std::make_unique<TestBackend>(std::move(input), MakeResources(home_, server.Port()).string()));

    bool sawMessage = false;
    QTimer start, answer;
    QObject::connect(&start, &QTimer::timeout, [&] {
        if (!fw::RuntimeGetImplicitWindow("Window1.Window1")) return;
        start.stop();
        desktop::Deliver([&] {
            QWidget* panel = WindowTitled("Quorrel Control Panel");
            ASSERT_NE(panel, nullptr);
            auto* every = panel->findChild<QLabel*>(QStringLiteral("StaticText6"));
            ASSERT_NE(every, nullptr);
            const Face face = FaceOf(every);
            ExpectEveryMenuTitleShows("Quorrel Control Panel", {"File", "Sound", "Check for Update", "Help "}, face);
            quorrel::AppInstance()->_HelpShowHelp_Action();
            ExpectEveryMenuTitleShows("Help", {"&File", "&Edit"}, face);

            // "Set Screenshot Area" shows its message: every text of it in the face.
            QObject::connect(&answer, &QTimer::timeout, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal) return;
                answer.stop();
                sawMessage = true;
                const auto texts = modal->findChildren<QPlainTextEdit*>();
                const auto buttons = modal->findChildren<QPushButton*>();
                EXPECT_FALSE(texts.empty());
                EXPECT_FALSE(buttons.empty());
                for (const QWidget* w : texts) EXPECT_EQ(FaceOf(w), face) << "the message";
                for (const QWidget* w : buttons) EXPECT_EQ(FaceOf(w), face) << "a button";
                modal->close();
            });
            answer.start(20);
            auto* area = panel->findChild<QCheckBox*>(QStringLiteral("CheckBox2"));
            ASSERT_NE(area, nullptr);
            area->click();
            EXPECT_TRUE(ProcessEventsUntil([&] { return sawMessage; }, std::chrono::seconds(10)));
            quorrel::Window1Instance()->Close();  // saves and quits
        });
    });
    start.start(20);
    EXPECT_EQ(quorrel::main(), 0);
    EXPECT_TRUE(sawMessage) << "no message box showed";
}

}  // namespace
