#pragma once
// Permission checks as an ordinary user would meet them. Root passes every file permission,
// so as root the check runs in a child process that has become the unprivileged "nobody".

#include <functional>

namespace kov::test {

// What RunUnprivileged gives when the process cannot become an unprivileged user, or the
// child did not end normally.
inline constexpr int kNoUnprivilegedUser = 100;

// Runs check (which gives 0-99) as an unprivileged user and gives its result.
int RunUnprivileged(const std::function<int()>& check);

}  // namespace kov::test
