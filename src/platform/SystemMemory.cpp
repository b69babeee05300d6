#include "platform/SystemMemory.h"

#include <sys/sysinfo.h>

int MemoryLoadPercent()
{
    struct sysinfo info {};
    if (sysinfo(&info) != 0 || info.totalram == 0)
        return 0;
    const double total = static_cast<double>(info.totalram) * info.mem_unit;
    const double available = static_cast<double>(info.freeram + info.bufferram) * info.mem_unit;
    const double load = 100.0 * (1.0 - available / total);
    return load < 0 ? 0 : load > 100 ? 100 : static_cast<int>(load);
}
