#pragma once
// A full disk for this process while the object lives: every write that would make a
// file larger than a few bytes fails (with EFBIG, as the file-size limit is used), and
// the signal that limit raises is ignored. Works whoever runs the test, root included.

#include <sys/resource.h>

#include <csignal>

namespace kov::test {

class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit saved_{};
    struct sigaction savedAction_ {};
};

}  // namespace kov::test
