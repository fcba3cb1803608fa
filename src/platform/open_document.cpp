#include "platform/open_document.h"

#include <sys/wait.h>
#include <unistd.h>

#include <system_error>

namespace kov {

bool OpenWithDefaultApp(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    const std::string file = path.string();
    // Fork twice so the viewer is nobody's child here: no zombie, no waiting on it.
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        ::setsid();
        if (::fork() == 0) {
            ::execlp("xdg-open", "xdg-open", file.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace kov
