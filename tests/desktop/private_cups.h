// A print system of the test's own: cupsd with a private configuration,
// listening on a socket in a temporary folder, with one stopped queue that
// takes jobs and keeps them, their documents in its spool folder. This
// thread's CUPS requests (Qt's among them) go to it.
#pragma once

#include "tests/e2e/child_process.h"

#include <cups/cups.h>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace quorrel::test {

class PrivateCups {
public:
    static constexpr const char* kQueue = "quorrel-test";

    explicit PrivateCups(const std::filesystem::path& dir) : dir_(dir) {
        namespace fs = std::filesystem;
        for (const char* sub : {"spool", "spool/tmp", "cache", "state", "log", "out"}) {
            fs::create_directories(dir_ / sub);
            fs::permissions(dir_ / sub, fs::perms::all);  // cupsd drops to its User to write them
        }
        // cupsd will not run its jobs as root: as root it takes nobody.
        const bool root = geteuid() == 0;
        const passwd* me = getpwuid(geteuid());
        const group* myGroup = getgrgid(getegid());
        const std::string user = root ? "nobody" : (me ? me->pw_name : "nobody");
        const std::string groupName = root ? "nogroup" : (myGroup ? myGroup->gr_name : "nogroup");
        Write("cups-files.conf",
              "ServerRoot " + dir_.string() + "\nRequestRoot " + (dir_ / "spool").string() + "\nTempDir " +
                  (dir_ / "spool/tmp").string() + "\nCacheDir " + (dir_ / "cache").string() + "\nStateDir " +
                  (dir_ / "state").string() + "\nErrorLog " + (dir_ / "log/error_log").string() + "\nAccessLog " +
                  (dir_ / "log/access_log").string() + "\nPageLog " + (dir_ / "log/page_log").string() +
                  "\nFileDevice Yes\nUser " + user + "\nGroup " + groupName + "\nSystemGroup root\n");
        Write("cupsd.conf",
              "Listen " + Socket() +
                  "\nLogLevel warn\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                  "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n  </Limit>\n"
                  "</Policy>\n");
        Write("printers.conf",
              std::string("<Printer ") + kQueue + ">\nInfo Quorrel test queue\nDeviceURI file://" +
                  (dir_ / "out/printed").string() + "\nState Stopped\nAccepting Yes\nShared No\n</Printer>\n");
        // A PostScript printer of A4 paper that prints on both sides.
        fs::create_directories(dir_ / "ppd");
        Write("ppd/" + std::string(kQueue) + ".ppd",
              "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
              "*LanguageEncoding: ISOLatin1\n*PCFileName: \"QTEST.PPD\"\n*Manufacturer: \"Quorrel\"\n"
              "*Product: \"(Test)\"\n*ModelName: \"Quorrel Test\"\n*ShortNickName: \"Quorrel Test\"\n"
              "*NickName: \"Quorrel Test\"\n*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n"
              "*ColorDevice: True\n*DefaultColorSpace: RGB\n*FileSystem: False\n*Throughput: \"1\"\n"
              "*LandscapeOrientation: Plus90\n*TTRasterizer: Type42\n"
              "*OpenUI *PageSize/Media Size: PickOne\n*DefaultPageSize: A4\n"
              "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n*CloseUI: *PageSize\n"
              "*OpenUI *PageRegion: PickOne\n*DefaultPageRegion: A4\n"
              "*PageRegion A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n*CloseUI: *PageRegion\n"
              "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 18 577 824\"\n"
              "*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n"
              "*OpenUI *Duplex/2-Sided Printing: PickOne\n*DefaultDuplex: None\n"
              "*Duplex None/Off: \"<</Duplex false>>setpagedevice\"\n"
              "*Duplex DuplexNoTumble/Long Edge: \"<</Duplex true/Tumble false>>setpagedevice\"\n"
              "*Duplex DuplexTumble/Short Edge: \"<</Duplex true/Tumble true>>setpagedevice\"\n"
              "*CloseUI: *Duplex\n");
        cupsd_ = std::make_unique<e2e::ChildProcess>(std::vector<std::string>{"/usr/sbin/cupsd",
                                                                              "-f",
                                                                              "-c",
                                                                              (dir_ / "cupsd.conf").string(),
                                                                              "-s",
                                                                              (dir_ / "cups-files.conf").string()},
                                                     e2e::ChildProcess::Environment{},
                                                     (dir_ / "log/stdout").string(),
                                                     (dir_ / "log/stderr").string());
        cupsSetServer(Socket().c_str());
    }
    ~PrivateCups() {
        Stop();
        cupsSetServer(nullptr);  // back to the system's
    }

    // Waits until the queue is there to take jobs.
    bool WaitUntilReady(std::chrono::seconds timeout) const {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < end) {
            cups_dest_t* dests = nullptr;
            const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
            const bool there = cupsGetDest(kQueue, nullptr, n, dests) != nullptr;
            cupsFreeDests(n, dests);
            if (there) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    // The print system goes away, as when cupsd is stopped.
    void Stop() {
        if (cupsd_) cupsd_->Kill();
        cupsd_.reset();
    }
    // The titles of the jobs the queue has taken.
    std::vector<std::string> JobTitles() const {
        cups_job_t* jobs = nullptr;
        const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, kQueue, 0, CUPS_WHICHJOBS_ALL);
        std::vector<std::string> titles;
        for (int i = 0; i < n; ++i) titles.emplace_back(jobs[i].title ? jobs[i].title : "");
        cupsFreeJobs(n, jobs);
        return titles;
    }

    // The document of the first job, as the queue holds it.
    std::filesystem::path FirstDocument() const { return dir_ / "spool/d00001-001"; }
    // What cupsd said, for a test that fails.
    std::string Log() const {
        return e2e::ReadFile((dir_ / "log/stderr").string()) + e2e::ReadFile((dir_ / "log/error_log").string());
    }

private:
    std::string Socket() const { return (dir_ / "cups.sock").string(); }
    void Write(const std::string& name, const std::string& text) const { std::ofstream(dir_ / name) << text; }

    std::filesystem::path dir_;
    std::unique_ptr<e2e::ChildProcess> cupsd_;
};

}  // namespace quorrel::test
