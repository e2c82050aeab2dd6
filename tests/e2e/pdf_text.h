// The text of a PDF file, page by page, through pdftotext.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// nullopt when pdftotext cannot read the file (missing, not yet complete).
std::optional<std::vector<std::string>> PdfPages(const std::string& path);

}  // namespace e2e
