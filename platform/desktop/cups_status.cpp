#include "platform/desktop/cups_status.h"

#include <cups/cups.h>

namespace desktop {

bool CupsTookLastJob(std::string& why) {
    // Every status below the redirections is a success.
    if (cupsLastError() < IPP_STATUS_REDIRECTION_OTHER_SITE) return true;
    std::string words = cupsLastErrorString() ? cupsLastErrorString() : "";
    if (words.size() > 200) words.resize(200);  // outside text: kept short
    why = words.empty() ? "The print system did not take the job."
                        : "The print system did not take the job (" + words + ").";
    return false;
}

}  // namespace desktop
