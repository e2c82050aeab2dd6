// The address space a process maps, for the tests that run something under
// an address-space limit (RLIMIT_AS) a little above it.
#pragma once
#include <cstddef>
#include <fstream>
#include <string>

namespace quorrel::test {

// VmSize of /proc/<pid>/status in bytes ("self": this process); 0 when unknown.
inline size_t AddressSpace(const std::string& pid = "self") {
    std::ifstream in("/proc/" + pid + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmSize:", 0) == 0) return std::stoul(line.substr(7)) * 1024;
    return 0;
}

// A sanitizer reserves its shadow memory in bulk: no limit fits above that.
inline bool AddressSpaceReservedInBulk() { return AddressSpace() > (size_t{64} << 30); }

}  // namespace quorrel::test
