// The text of a PDF file, page by page, through pdftotext.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// nullopt when pdftotext cannot read the file (missing, not yet complete).
std::optional<std::vector<std::string>> PdfPages(const std::string& path);
// The text of page n (from 1) alone, laid out as on the page; nullopt when
// pdftotext cannot read it.
std::optional<std::string> PdfPageText(const std::string& path, int n);
// The document's title (empty when it has none); nullopt when pdfinfo cannot read it.
std::optional<std::string> PdfTitle(const std::string& path);

}  // namespace e2e
