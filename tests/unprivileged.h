// Faults that a test makes: folders it may not write (which mean nothing to root), and a full
// disk. A test executable with cases about permissions calls dropRootPrivileges() first, and
// runs as "nobody" when started as root.
#pragma once

#ifdef _WIN32
inline void dropRootPrivileges() {} // Wine gives every program one user
#else

#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
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

// Makes every write past a few bytes fail, as on a full disk, for the object's life.
class FullDisk
{
public:
    FullDisk()
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny = m_old;
        tiny.rlim_cur = 16;
        ::setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FullDisk()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old = {};
    void (*m_oldHandler)(int) = nullptr;
};

#endif
