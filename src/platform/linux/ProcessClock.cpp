#include "ProcessClock.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

double MillisecondsSinceProcessStart()
{
    // Field 22 of /proc/self/stat is the start time in clock ticks after boot.
    std::FILE* file = std::fopen("/proc/self/stat", "r");
    if (!file)
        return -1;
    char buffer[1024] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    buffer[n] = '\0';
    // The command name in parentheses may hold blanks; count fields after its end.
    const char* p = std::strrchr(buffer, ')');
    if (!p)
        return -1;
    unsigned long long startTicks = 0;
    int field = 2;
    for (const char* q = p + 1; *q && field < 22; ++q) {
        if (*q == ' ' && ++field == 22 && std::sscanf(q + 1, "%llu", &startTicks) != 1)
            return -1;
    }
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / sysconf(_SC_CLK_TCK);
}

double PeakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}
