#include "platform/open_document.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace kov {

bool OpenWithDefaultApp(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    const std::string file = path.string();
    // The grandchild reports a failed exec through this pipe; a successful exec closes it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    // Fork twice so the viewer is nobody's child here: no zombie, no waiting on it.
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::setsid();
        const pid_t viewer = ::fork();
        if (viewer == 0) {
            ::execlp("xdg-open", "xdg-open", file.c_str(), static_cast<char*>(nullptr));
            const int error = errno;
            (void)!::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        ::_exit(viewer < 0 ? 1 : 0);
    }
    ::close(report[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    int error = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

}  // namespace kov
