// Running part of a test in a child process: a save killed halfway, a player who may not write.
#pragma once

#include <functional>

namespace tk::test {

// Runs `body` in a child process and tells how the child ended: the value `body`
// returned, or 128 + the signal that killed it. The child leaves with _exit, so
// nothing of the parent's (its tests, its files) runs or is removed twice.
int runForked(const std::function<int()>& body);

// In a child run as root: become the unprivileged user "nobody", for whom the
// folder permissions hold. Others are left as they are. False when it failed.
bool dropPrivileges();

// What a child returns when it could not become unprivileged.
constexpr int kCannotDropPrivileges = 77;

}  // namespace tk::test
