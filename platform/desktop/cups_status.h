// What the print system made of the job that Qt's CUPS engine has just
// submitted: Qt submits it when its painter ends and does not say whether
// the print system took it.
#pragma once

#include <string>

namespace desktop {

// False, with the print system's words, when the last request to CUPS on
// this thread (the job's submission, right after the painter ended) failed.
bool CupsTookLastJob(std::string& why);

}  // namespace desktop
