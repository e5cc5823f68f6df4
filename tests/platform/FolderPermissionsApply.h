#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// CI runs the tests as root, and root writes into read-only folders: a test of
// a read-only folder would prove nothing there. While this lives, the calling
// thread runs without CAP_DAC_OVERRIDE in its effective set, so the folder's
// mode stops root as it stops every other user. Whoever is not root needs
// nothing and gets nothing.
class FolderPermissionsApply
{
public:
    FolderPermissionsApply()
    {
        if (geteuid() != 0 || syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = { m_saved[0], m_saved[1] };
        reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        m_dropped = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~FolderPermissionsApply()
    {
        if (m_dropped)
            syscall(SYS_capset, &m_header, m_saved);
    }
    FolderPermissionsApply(const FolderPermissionsApply &) = delete;
    FolderPermissionsApply &operator=(const FolderPermissionsApply &) = delete;

    // False only for root whose capability could not be set aside: the
    // caller fails rather than skips, so that no run passes without the check.
    bool applies() const { return geteuid() != 0 || m_dropped; }

private:
    __user_cap_header_struct m_header { _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct m_saved[2] {};
    bool m_dropped = false;
};
