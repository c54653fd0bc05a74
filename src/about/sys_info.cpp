#include "about/sys_info.h"

namespace dewmoth::about {

bool LaunchSysInfo()
{
    SysInfoTool tool;
    LookupResult found = FindPrimarySysInfoTool(tool);
    if (found == LookupResult::NotFound)
        found = FindFallbackSysInfoTool(tool);
    return found == LookupResult::Found && StartSysInfoTool(tool);
}

} // namespace dewmoth::about
