// The help text's shape and the passages that the Help window styles.
#include "help/help_text.h"
#include "tests/support/help_headings.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

using quorrel::HelpRun;
using quorrel::HelpRuns;
using quorrel::HelpText;

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    size_t at = 0;
    for (;;) {
        size_t end = text.find('\r', at);
        lines.emplace_back(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        if (end == std::string_view::npos) return lines;
        at = end + 1;
    }
}

std::string RunText(const HelpRun& run) {
    return std::string(HelpText().substr(static_cast<size_t>(run.start), static_cast<size_t>(run.length)));
}

bool IsWholeLine(const HelpRun& run) {
    auto text = HelpText();
    size_t start = static_cast<size_t>(run.start), end = start + static_cast<size_t>(run.length);
    return (start == 0 || text[start - 1] == '\r') && (end == text.size() || text[end] == '\r');
}

const std::vector<std::string>& kHeadings = quorrel::test::kHelpHeadings;

TEST(HelpText, HasTenSectionsOfThirtyNineCrSeparatedLines) {
    auto text = HelpText();
    EXPECT_EQ(text.find('\n'), std::string_view::npos);
    EXPECT_NE(text.back(), '\r');
    auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 39u);

    // Sections: a heading, its lines, one empty line before the next heading.
    std::vector<std::vector<std::string>> sections(1);
    for (const auto& line : lines) {
        if (line.empty()) sections.emplace_back();
        else sections.back().push_back(line);
    }
    ASSERT_EQ(sections.size(), kHeadings.size());
    const std::vector<size_t> bodyLines = {1, 1, 1, 1, 2, 6, 1, 1, 5, 1};
    const std::regex lettered("  [a-e]\\.  \\S.*");
    for (size_t i = 0; i < sections.size(); ++i) {
        ASSERT_FALSE(sections[i].empty()) << "two empty lines in a row before section " << i + 1;
        EXPECT_EQ(sections[i][0], kHeadings[i]);
        EXPECT_EQ(sections[i].size() - 1, bodyLines[i]) << kHeadings[i];
        if (bodyLines[i] > 1) {
            for (size_t j = 1; j < sections[i].size(); ++j) {
                std::string expected = std::string("  ") + char('a' + j - 1) + ".  ";
                if (i == 5 && j == 6) {
                    EXPECT_EQ(sections[i][j].rfind("Note:", 0), 0u) << "the note follows step e";
                    continue;
                }
                EXPECT_EQ(sections[i][j].rfind(expected, 0), 0u) << sections[i][j];
                EXPECT_TRUE(std::regex_match(sections[i][j], lettered)) << sections[i][j];
            }
        }
    }
    EXPECT_EQ(sections[0][1].rfind("Quorrel ", 0), 0u);
    EXPECT_EQ(sections[1][1].rfind("Quorrel ", 0), 0u);
}

TEST(HelpText, HoldsTheQuotedPieces) {
    const std::string text(HelpText());
    for (const char* piece : {"Otherwise, repeat step b.",
                              "Otherwise, repeat step c.",
                              "\"png\"",
                              "Computer time format: US Computer.",
                              "Option-Command"})
        EXPECT_NE(text.find(piece), std::string::npos) << piece;
}

TEST(HelpText, SpeaksOfThisDesktopsFoldersAndDisplays) {
    // The pictures' folder inside the user's Documents folder, whatever its
    // name; no path of another platform's, no display of its brand name.
    const std::string text(HelpText());
    EXPECT_NE(text.find("Screenshots are saved in the folder \"QuorrelScreenshots\" inside your Documents folder"),
              std::string::npos);
    EXPECT_NE(text.find("may give it another name"), std::string::npos);
    EXPECT_NE(text.find("Quorrel works with high resolution (HiDPI) displays"), std::string::npos);
    for (const char* foreign : {"Users /", "Retina"}) EXPECT_EQ(text.find(foreign), std::string::npos) << foreign;
}

TEST(HelpText, NamesTheKeysOfThisDesktop) {
    // The chord is Alt and Super here; the original key names stand in brackets.
    const std::string text(HelpText());
    EXPECT_NE(text.find("Press the Alt and Super keys together (Option-Command)"), std::string::npos);
    EXPECT_EQ(text.find("Option and Command"), std::string::npos);
}

TEST(HelpRuns, HeadingsAreWholeLinesInTextOrder) {
    const auto& runs = HelpRuns();
    const std::vector<std::pair<size_t, std::string>> headingRuns = {{0, kHeadings[0]},
                                                                     {1, kHeadings[1]},
                                                                     {2, kHeadings[2]},
                                                                     {3, kHeadings[3]},
                                                                     {4, kHeadings[4]},
                                                                     {5, kHeadings[5]},
                                                                     {9, kHeadings[6]},
                                                                     {10, kHeadings[7]},
                                                                     {11, kHeadings[8]},
                                                                     {12, kHeadings[9]}};
    for (const auto& [index, heading] : headingRuns) {
        EXPECT_EQ(RunText(runs[index]), heading) << "run " << index + 1;
        EXPECT_TRUE(IsWholeLine(runs[index])) << "run " << index + 1;
        EXPECT_EQ(runs[index].tint, HelpRun::Tint::Blue) << "run " << index + 1;
    }
    for (size_t i = 1; i < runs.size(); ++i)
        EXPECT_GE(runs[i].start, runs[i - 1].start + runs[i - 1].length) << "run " << i + 1 << " overlaps";
    for (size_t i = 0; i < runs.size(); ++i)
        EXPECT_EQ(RunText(runs[i]).find('\r'), std::string::npos) << "run " << i + 1 << " holds a line break";
}

TEST(HelpRuns, WarningsCoverExactlyTheirSentencesAndTheNote) {
    const auto& runs = HelpRuns();
    auto text = HelpText();
    const std::string left = RunText(runs[6]), right = RunText(runs[7]), note = RunText(runs[8]);

    // Run 7 starts at the second of the two blanks after the step's first sentence.
    EXPECT_EQ(left.rfind(" If the small left circle turns red", 0), 0u) << left;
    EXPECT_EQ(text.substr(static_cast<size_t>(runs[6].start) - 2, 2), ". ");
    EXPECT_TRUE(left.ends_with("continue with step c.")) << left;
    EXPECT_EQ(text.substr(static_cast<size_t>(runs[6].start + runs[6].length), 28), "  Otherwise, repeat step b.\r");

    EXPECT_EQ(right.rfind("If the small right circle turns red", 0), 0u) << right;
    EXPECT_EQ(text.substr(static_cast<size_t>(runs[7].start) - 3, 3), ".  ");
    EXPECT_TRUE(right.ends_with("continue with step d.")) << right;
    EXPECT_EQ(text.substr(static_cast<size_t>(runs[7].start + runs[7].length), 28), "  Otherwise, repeat step c.\r");

    EXPECT_EQ(note.rfind("Note:", 0), 0u) << note;
    EXPECT_TRUE(note.ends_with(".")) << note;
    EXPECT_TRUE(IsWholeLine(runs[8]));

    for (size_t i : {6u, 7u, 8u}) EXPECT_EQ(runs[i].tint, HelpRun::Tint::Red) << "run " << i + 1;
}

}  // namespace
