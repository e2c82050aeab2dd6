#include "tests/e2e/pdf_text.h"

#include <unistd.h>

#include "tests/e2e/child_process.h"

namespace e2e {

namespace {

std::optional<std::string> PdfToText(const std::string& path, std::vector<std::string> options) {
    const std::string out = path + ".txt", err = path + ".err";
    std::vector<std::string> argv{"/usr/bin/pdftotext"};
    argv.insert(argv.end(), options.begin(), options.end());
    argv.push_back(path);
    argv.push_back(out);
    ChildProcess pdftotext(argv, {}, "/dev/null", err);
    auto status = pdftotext.WaitForExit(std::chrono::seconds(20));
    std::optional<std::string> text;
    if (status && *status == 0) text = ReadFile(out);
    unlink(out.c_str());
    unlink(err.c_str());
    return text;
}

}  // namespace

std::optional<std::string> PdfPageText(const std::string& path, int n) {
    const std::string page = std::to_string(n);
    return PdfToText(path, {"-f", page, "-l", page, "-layout"});
}

std::optional<std::vector<std::string>> PdfPages(const std::string& path) {
    const std::optional<std::string> all = PdfToText(path, {"-layout"});
    if (!all) return std::nullopt;
    const std::string& text = *all;
    // pdftotext ends every page with a form feed.
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
        pages.push_back(text.substr(start, ff - start));
    if (pages.empty()) return std::nullopt;
    return pages;
}

}  // namespace e2e
