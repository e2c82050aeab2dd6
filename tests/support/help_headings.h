// The help text's section headings, in the order they stand in the text:
// what the logic tests find in the text and the end-to-end tests in print.
#pragma once
#include <string>
#include <vector>

namespace quorrel::test {

inline const std::vector<std::string> kHelpHeadings = {"Introduction:",
                                                       "Displays:",
                                                       "Screenshot Options:",
                                                       "Automated Screenshots:",
                                                       "Screenshots of the Entire Display:",
                                                       "Screenshots of a Portion of the Display:",
                                                       "Manual Screenshots:",
                                                       "Sound:",
                                                       "Notes:",
                                                       "Icon Credit:"};

}  // namespace quorrel::test
