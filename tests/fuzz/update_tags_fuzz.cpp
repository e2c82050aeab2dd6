// The update file's reader on any reply: the three values the check reads,
// and the version fields it compares, from whatever the server sent.
#include "platform/headless/headless.h"
#include "tests/fuzz/fuzz_support.h"
#include "update/update_window.h"

#include <cmath>

using fuzz::Require;

namespace {
std::shared_ptr<quorrel::updateWindow> reader;  // the reader uses no field of the window
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fw::headless::InstallNew();
    reader = std::make_shared<quorrel::updateWindow>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first line names one more tag, so that odd names are read too.
    const std::string content(reinterpret_cast<const char*>(data), size);
    const std::string extra = content.substr(0, content.find('\n'));
    for (const std::string& tag :
         {std::string("CurrentVersion"), std::string("Description"), std::string("Free"), extra}) {
        const std::string value = reader->returnValue(content, tag);
        Require(content.find(value) != std::string::npos, "a value is a piece of the reply");
        for (int32_t field = 0; field <= 4; ++field)
            Require(!std::isnan(quorrel::VersionField(value, field)), "a version field is a number");
    }
    return 0;
}
