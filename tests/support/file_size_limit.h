// While alive, no file can grow beyond the given size, as on a full disk:
// writes past it fail, for root too.
#pragma once

#include <sys/resource.h>

namespace test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous {};
    void (*m_handler)(int);
};

} // namespace test
