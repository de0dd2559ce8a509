// Package reader: any bytes as a ".pkg" file. Every entry the directory
// admits is opened, read to its end and verified; nothing may read outside
// the file or allocate what the bytes merely claim.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/utf16.h"
#include "resources/package.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/vandrel-fuzz-package-" + std::to_string(getpid()) + ".pkg";
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        if (size)
            std::fwrite(data, 1, size, out);
        std::fclose(out);
    } else {
        return 0;
    }
    cPackage package;
    if (package.Open(platform::NarrowToWide(path))) {
        std::vector<cPackage::EntryInfo> entries;
        package.ListEntries(entries);
        for (const cPackage::EntryInfo& info : entries) {
            if (iFile* file = package.OpenEntry(info.name)) {
                uint8_t chunk[512];
                uint32_t got = 0;
                uint32_t sum = 0;
                while (file->Read(chunk, sizeof chunk, 1, &got) && got)
                    sum += chunk[0] + chunk[got - 1];
                file->Seek(0, 2);
                (void)sum;
                package.ReleaseFile(file);
            }
            package.GetEntryInfo(info.name);
        }
        package.VerifyAll();
        // Left open on purpose: Close must free them.
        if (!entries.empty())
            package.OpenEntry(entries.front().name);
    }
    package.Close();
    std::remove(path.c_str());
    return 0;
}
