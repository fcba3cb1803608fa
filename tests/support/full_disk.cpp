#include "support/full_disk.h"

namespace kov::test {

FullDisk::FullDisk() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &savedAction_);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit full = saved_;
    full.rlim_cur = 1;
    setrlimit(RLIMIT_FSIZE, &full);
}

FullDisk::~FullDisk() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    sigaction(SIGXFSZ, &savedAction_, nullptr);
}

}  // namespace kov::test
