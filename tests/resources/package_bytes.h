// Hand-built package images for tests that need a package the writer would
// never make: every header field and directory record can be set at will;
// and files that cannot grow, as on a full disk.
#pragma once

#include <csignal>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "resources/package_format.h"

namespace test {

struct RawEntry {
    std::wstring name;
    std::vector<uint8_t> stored; // the bytes placed in the package
    package_format::Record record; // offset and sizes filled by Build unless fixed
    bool fixRecord = false; // true: the record is taken as given
};

// Built with its directory enciphered.
struct RawPackage {
    std::vector<RawEntry> entries;
    package_format::Header header; // magic, version, flags, sizes filled by Build
    bool fixHeader = false; // true: header fields are taken as given
    std::vector<uint8_t> Build() const;
};

// A raw entry holding text compressed, or stored when stored is true.
RawEntry MakeEntry(const std::wstring& name, const std::string& content, bool stored);

inline std::vector<uint8_t> Bytes(const std::string& text) { return { text.begin(), text.end() }; }
inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// While alive, files cannot grow beyond the given size: writes past it fail, for root too.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous);
        const rlimit limit { bytes, previous.rlim_max };
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous); }
    rlimit previous {};
};

} // namespace test
