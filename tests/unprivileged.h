// Cases about permissions mean nothing to root, who may write into a read-only folder: a test
// executable that has such cases calls this first, and runs as "nobody" when started as root.
#pragma once

#include <grp.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

inline void dropRootPrivileges()
{
    if (::geteuid() != 0)
        return;
    constexpr uid_t kNobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
        std::perror("cannot drop root privileges");
        std::exit(1);
    }
}
