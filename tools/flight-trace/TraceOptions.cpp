#include "TraceOptions.h"

#include <charconv>
#include <cstring>
#include <limits>

const char* const TraceUsage =
    "usage: flight-trace [--seed N] [--size WxH] [--frames N] [--set \"key=value\"]...\n"
    "                    [--png FILE] [--no-csv]\n"
    "Runs the flight start-up, then launcher and step once per frame, with no screen.\n"
    "Writes frame,i,X,Y,Dir,Active,Mode,Smoke,Delay,Scale,Prog,Pos,Wait for aircraft\n"
    "0..N-1 after every frame to standard output. Settings start from the program's\n"
    "defaults (the user's settings file is not read); --set takes the stored key names:\n"
    "\"flight mode\", \"number of blue\", \"step of blue\", \"smoke mode\", \"length of smoke\",\n"
    "\"number of complement\", \"kind of airplane\". Smoke points age and are freed as in\n"
    "the show, but no smoke is drawn, so the smoke drawing's random draws are not made.\n"
    "--png draws the flown paths (one colour per aircraft) and every smoke segment.\n";

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value, T low, T high)
{
    T v{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc{} || ptr != end || text.empty() || v < low || v > high)
        return false;
    value = v;
    return true;
}

bool ParseInt16(const std::string& text, int16_t& value)
{
    return ParseNumber<int16_t>(text, value, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
}

bool ApplySetting(const std::string& assignment, SaverSettings& s, std::string& error)
{
    const auto eq = assignment.find('=');
    if (eq == std::string::npos) {
        error = "--set expects \"key=value\", got \"" + assignment + "\"";
        return false;
    }
    const std::string key = assignment.substr(0, eq);
    int16_t value = 0;
    if (!ParseInt16(assignment.substr(eq + 1), value)) {
        error = "not a 16-bit integer in \"" + assignment + "\"";
        return false;
    }
    struct Field {
        const char* key;
        int16_t SaverSettings::*field;
    };
    static const Field fields[] = {
        {"flight mode", &SaverSettings::FlightMode},
        {"number of blue", &SaverSettings::BlueCount},
        {"speed of blue", &SaverSettings::BlueWait},
        {"step of blue", &SaverSettings::BlueStep},
        {"smoke mode", &SaverSettings::SmokeMode},
        {"length of smoke", &SaverSettings::SmokeLength},
        {"number of complement", &SaverSettings::ComplementCount},
        {"kind of airplane", &SaverSettings::AirplaneKind},
    };
    for (const Field& f : fields) {
        if (key == f.key) {
            s.*f.field = value;
            return true;
        }
    }
    error = "unknown setting \"" + key + "\"";
    return false;
}

bool ParseSize(const std::string& text, int16_t& width, int16_t& height)
{
    const auto x = text.find('x');
    if (x == std::string::npos)
        return false;
    return ParseNumber<int16_t>(text.substr(0, x), width, 1, 16384) &&
           ParseNumber<int16_t>(text.substr(x + 1), height, 1, 16384);
}

}  // namespace

bool ParseTraceOptions(int argc, char** argv, TraceOptions& o, std::string& error)
{
    for (int a = 1; a < argc; ++a) {
        const std::string arg = argv[a];
        if (arg == "--help" || arg == "-h") {
            error.clear();
            return false;
        }
        if (arg == "--no-csv") {
            o.Csv = false;
            continue;
        }
        if (a + 1 >= argc) {
            error = "missing value after " + arg;
            return false;
        }
        const std::string value = argv[++a];
        bool ok = true;
        if (arg == "--seed")
            ok = ParseNumber<uint64_t>(value, o.Seed, 0, std::numeric_limits<uint64_t>::max());
        else if (arg == "--size")
            ok = ParseSize(value, o.Width, o.Height);
        else if (arg == "--frames")
            ok = ParseNumber<int>(value, o.Frames, 0, 10'000'000);
        else if (arg == "--png")
            o.PngFile = value;
        else if (arg == "--set") {
            if (!ApplySetting(value, o.Settings, error))
                return false;
        } else {
            error = "unknown option " + arg;
            return false;
        }
        if (!ok) {
            error = "bad value \"" + value + "\" for " + arg;
            return false;
        }
    }
    return true;
}
