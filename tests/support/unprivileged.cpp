#include "support/unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kov::test {

int RunUnprivileged(const std::function<int()>& check) {
    if (::geteuid() != 0)
        return check();
    const pid_t child = ::fork();
    if (child < 0)
        return kNoUnprivilegedUser;
    if (child == 0) {
        const bool dropped =
            ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped ? check() : kNoUnprivilegedUser);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return kNoUnprivilegedUser;
    return WEXITSTATUS(status);
}

}  // namespace kov::test
