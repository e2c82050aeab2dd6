// How long "Print Help" takes with a very large text in the Help window
// (typed or pasted, as short lines or as one paragraph), printed to a PDF
// file: the time for each size, its pages, and the time per page, which
// should not grow with the text.
//   bench_help_print_bench [largest size in MB, default 9.6]
// Runs on Qt's offscreen platform: no display is needed.
#include "help/help_printing.h"
#include "help/help_window.h"
#include "tests/desktop/pdf_printer_backend.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

// Goal: the time per page of the largest text at most this many times that
// of the smallest (printing takes time in proportion to the pages).
constexpr double kGoalRatio = 2.0;

// Short lines, or (with a blank for the line break) one paragraph.
std::string Text(size_t bytes, char lineBreak) {
    std::string text;
    text.reserve(bytes + 100);
    for (int line = 1; text.size() < bytes; ++line)
        text += "Line " + std::to_string(line) + ": the quick brown fox jumps over the lazy dog, again and again." +
                lineBreak;
    return text;
}

int PdfPageCount(const fs::path& pdf) {
    const std::string command = "pdfinfo '" + pdf.string() + "' 2>/dev/null";
    FILE* in = popen(command.c_str(), "r");
    if (!in) return 0;
    char line[512];
    int pages = 0;
    while (fgets(line, sizeof line, in))
        if (std::sscanf(line, "Pages: %d", &pages) == 1) break;
    pclose(in);
    return pages;
}

}  // namespace

int main(int argc, char** argv) {
    const double largestMb = argc > 1 ? std::atof(argv[1]) : 9.6;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    std::string dir = (fs::temp_directory_path() / "quorrel-print-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) return 1;
    const fs::path pdf = fs::path(dir) / "help.pdf";

    bool met = true;
    for (const char lineBreak : {'\r', ' '}) {
        std::printf("%s\n", lineBreak == '\r' ? "short lines:" : "one paragraph:");
        double firstPerPage = 0, lastPerPage = 0;
        for (double mb = largestMb / 8; mb <= largestMb * 1.001; mb *= 2) {
            fw::InstallBackend(std::make_unique<quorrel::test::PdfPrinterBackend>(pdf, nullptr));
            fw::RuntimeInit();
            quorrel::HelpInstance()->TextArea1()->Text(Text(static_cast<size_t>(mb * 1e6), lineBreak));
            QElapsedTimer clock;
            clock.start();
            quorrel::PrintHelpText();
            const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            fw::RuntimeExit();
            const int pages = PdfPageCount(pdf);
            const double perPage = pages > 0 ? ms / pages : 0;
            std::printf("  %5.1f MB: %6d pages in %9.0f ms, %6.2f ms a page\n", mb, pages, ms, perPage);
            if (firstPerPage == 0) firstPerPage = perPage;
            lastPerPage = perPage;
            fs::remove(pdf);
        }
        const double ratio = firstPerPage > 0 ? lastPerPage / firstPerPage : 0;
        std::printf("  time per page, largest / smallest: %.2f (goal: at most %.1f)\n", ratio, kGoalRatio);
        met = met && ratio > 0 && ratio <= kGoalRatio;
    }
    fs::remove_all(dir);
    return met ? 0 : 1;
}
