// The headless backend's inner state, shared by its files.
#pragma once

#include "platform/headless/headless.h"

#include <map>
#include <optional>

namespace fw::headless {

struct Headless::Impl {
    // The virtual clock and its timers.
    struct PendingTimer {
        int64_t due = 0, period = 0;
        bool repeat = false;
        uint64_t order = 0;  // start order, for timers due at the same moment
        std::function<void()> fn;
    };
    int64_t now = 0;
    std::chrono::system_clock::time_point wallZero = std::chrono::system_clock::now();
    std::map<TimerId, PendingTimer> timers;
    uint64_t nextOrder = 0;

    struct Watch {
        int fd = -1;
        FdInterest interest;
        std::function<void(bool, bool)> fn;
    };
    std::map<WatchId, Watch> watches;
    WatchId nextWatch = 1;

    std::function<void(Headless&)> script;
    ModalScript modalScript;
    bool running = false, quitting = false;

    bool option = false, command = false, mouseDown = false;
    int32_t mouseX = 0, mouseY = 0;
    PixelImage screen;
    double scale = 1.0;
    bool captureFails = false;
    std::optional<std::string> documents, preferences;
    std::string resources;
    int linesPerBlock = 56;

    ModalAnswer Ask(Headless& self, const ModalRequest& request) {
        if (modalScript) return modalScript(self, request);
        return ModalAnswer{};
    }
};

// A print job that records every call; a refusal is its failure once handed over.
std::unique_ptr<PrintJobPeer> MakeRecordingJob(std::vector<PrintCall>& log, std::string refusal);
std::unique_ptr<StyledTextPrinterPeer> MakeTextPrinter(const std::string& text, double lineWidth, int linesPerBlock,
                                                       std::vector<PrintCall>& log);

}  // namespace fw::headless
