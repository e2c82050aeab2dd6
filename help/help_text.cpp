#include "help/help_text.h"

namespace quorrel {
namespace {

// Plain ASCII, so that byte offsets are character positions.
// One help line per source line, as it reads on screen.
// clang-format off
constexpr std::string_view kHelpText =
    "Introduction:" "\r"
    "Quorrel helps you take screenshots by hand or at regular periods." "\r"
    "" "\r"
    "Displays:" "\r"
    "Quorrel works with high resolution (HiDPI) displays and with normal displays." "\r"
    "" "\r"
    "Screenshot Options:" "\r"
    "You can capture the entire display or only a portion of it." "\r"
    "" "\r"
    "Automated Screenshots:" "\r"
    "The automatic period runs from 1 second to 59 seconds and then from 1 minute to 10 "
    "minutes; choose it with the up/down arrows." "\r"
    "" "\r"
    "Screenshots of the Entire Display:" "\r"
    "  a.  Set the period with the up/down arrows." "\r"
    "  b.  Tick the top check box, \"Automatic Screenshot\"." "\r"
    "" "\r"
    "Screenshots of a Portion of the Display:" "\r"
    "  a.  Tick the bottom check box, \"Set Screenshot Area\"." "\r"
    "  b.  Point at the top left corner of the desired area and press the mouse button.  "
    "If the small left circle turns red, the corner is set, and you can continue with "
    "step c.  Otherwise, repeat step b." "\r"
    "  c.  Point at the bottom right corner of the desired area and press the mouse "
    "button.  If the small right circle turns red, the corner is set, and you can "
    "continue with step d.  Otherwise, repeat step c." "\r"
    "  d.  Set the period with the up/down arrows." "\r"
    "  e.  Tick the top check box, \"Automatic Screenshot\"." "\r"
    "Note: If you want to change your mind or to enter the corners again, untick the "
    "bottom check box: this starts the process over, and the top check box is then "
    "unticked automatically." "\r"
    "" "\r"
    "Manual Screenshots:" "\r"
    "Press the Alt and Super keys together (Option-Command) to take a manual "
    "screenshot." "\r"
    "" "\r"
    "Sound:" "\r"
    "There are two sound options: a shutter sound on each screenshot, or silence." "\r"
    "" "\r"
    "Notes:" "\r"
    "  a.  You can minimise the Control Panel; manual screenshots can still be taken "
    "while it is minimised." "\r"
    "  b.  Screenshots are saved in the folder \"QuorrelScreenshots\" inside your Documents "
    "folder (usually ~/Documents; your desktop may give it another name)." "\r"
    "  c.  They are \"png\" images whose titles are made of the year, month, day, hours, "
    "minutes and seconds, with the hours on the 24-hour clock and not 12 hours with "
    "AM/PM.  Computer time format: US Computer." "\r"
    "  d.  The automatic period is remembered from one run of the program to the next." "\r"
    "  e.  If a DVD shows only a checkerboard pattern in your screenshots, play it in "
    "another media player that does not block screen capture." "\r"
    "" "\r"
    "Icon Credit:" "\r"
    "The application icon was drawn by the Quorrel developers for this program; it comes "
    "from no stock-image library.";
// clang-format on

constexpr int32_t kNotFound = -1;

constexpr int32_t Find(std::string_view piece, size_t from = 0) {
    size_t at = kHelpText.find(piece, from);
    return at == std::string_view::npos ? kNotFound : static_cast<int32_t>(at);
}

// A heading: a whole line of the text, without its line break.
constexpr HelpRun Heading(std::string_view heading) {
    size_t at = 0;
    while (at < kHelpText.size()) {
        size_t end = kHelpText.find('\r', at);
        if (end == std::string_view::npos) end = kHelpText.size();
        if (kHelpText.substr(at, end - at) == heading)
            return {static_cast<int32_t>(at), static_cast<int32_t>(heading.size()), HelpRun::Tint::Blue};
        at = end + 1;
    }
    return {kNotFound, 0, HelpRun::Tint::Blue};
}

// From the first character of opening to the last of closing.
constexpr HelpRun Warning(std::string_view opening, std::string_view closing) {
    int32_t start = Find(opening);
    int32_t end = start == kNotFound ? kNotFound : Find(closing, static_cast<size_t>(start));
    if (end == kNotFound) return {kNotFound, 0, HelpRun::Tint::Red};
    return {start, end + static_cast<int32_t>(closing.size()) - start, HelpRun::Tint::Red};
}

// The note line under the last step of the portion section, to its end.
constexpr HelpRun NoteLine() {
    int32_t start = Find("\rNote:");
    if (start == kNotFound) return {kNotFound, 0, HelpRun::Tint::Red};
    start += 1;
    int32_t end = Find("\r", static_cast<size_t>(start));
    if (end == kNotFound) end = static_cast<int32_t>(kHelpText.size());
    return {start, end - start, HelpRun::Tint::Red};
}

constexpr std::array<HelpRun, 13> kHelpRuns = {
    Heading("Introduction:"),
    Heading("Displays:"),
    Heading("Screenshot Options:"),
    Heading("Automated Screenshots:"),
    Heading("Screenshots of the Entire Display:"),
    Heading("Screenshots of a Portion of the Display:"),
    // Begins with the blank before its sentence, as the design styles it.
    Warning(" If the small left circle turns red", "continue with step c."),
    Warning("If the small right circle turns red", "continue with step d."),
    NoteLine(),
    Heading("Manual Screenshots:"),
    Heading("Sound:"),
    Heading("Notes:"),
    Heading("Icon Credit:"),
};

constexpr bool IsAscii() {
    for (char c : kHelpText)
        if (static_cast<unsigned char>(c) > 0x7F || c == '\n') return false;
    return true;
}

constexpr int32_t LineCount() {
    int32_t lines = 1;
    for (char c : kHelpText)
        if (c == '\r') ++lines;
    return lines;
}

// Every passage found, in text order, apart, and within one line.
constexpr bool RunsAreSound() {
    int32_t previousEnd = 0;
    for (const HelpRun& run : kHelpRuns) {
        if (run.start < previousEnd || run.length <= 0) return false;
        if (kHelpText.substr(static_cast<size_t>(run.start), static_cast<size_t>(run.length)).find('\r') !=
            std::string_view::npos)
            return false;
        previousEnd = run.start + run.length;
    }
    return true;
}

// Where the thirteen passages stand in this wording. Their lengths are the
// design's; rewording a line moves the starts after it, and must do so here.
struct RunPlace {
    int32_t start;
    int32_t length;
};
constexpr std::array<RunPlace, 13> kRunPlaces = {{
    {0, 13},
    {81, 9},
    {170, 19},
    {251, 22},
    {402, 34},
    {538, 40},
    {718, 89},
    {923, 89},
    {1140, 181},
    {1323, 19},
    {1428, 6},
    {1513, 6},
    {2202, 12},
}};

constexpr bool RunsStandInPlace() {
    for (size_t i = 0; i < kHelpRuns.size(); ++i)
        if (kHelpRuns[i].start != kRunPlaces[i].start || kHelpRuns[i].length != kRunPlaces[i].length) return false;
    return true;
}

static_assert(IsAscii(), "the help text must be plain ASCII with CR line breaks");
static_assert(LineCount() == 39, "the help text has 39 lines");
static_assert(RunsAreSound(), "a styled passage is missing, out of order or spans a line break");
static_assert(RunsStandInPlace(), "a styled passage moved or changed its length");

}  // namespace

std::string_view HelpText() { return kHelpText; }

const std::array<HelpRun, 13>& HelpRuns() { return kHelpRuns; }

}  // namespace quorrel
