// Any command line: the parser must never fail, and what it reads must keep its promises.
#include "CommandLine.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CommandLine c = ParseCommandLine(line.toStdU16String());
    if (c.Switch.empty() || c.Switch.size() > 2 || c.HostHandle < 0)
        std::abort();
    const RunMode mode = ModeForSwitch(c.Switch);
    if (mode == RunMode::Show && c.Switch != u"/s" && c.Switch != u"/S")
        std::abort();
    return 0;
}
