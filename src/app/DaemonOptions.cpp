#include "DaemonOptions.h"

#include <QRegularExpression>

#include <array>

namespace {

// The kinds the show knows: six sprite kinds, the random one and the two 3D kinds.
constexpr std::array<int, 9> KnownKinds = {0, 1, 2, 3, 4, 5, 101, 200, 201};

std::optional<int16_t> ReadNumber(const QString& text, int low, int high)
{
    static const QRegularExpression decimal(QStringLiteral("^-?[0-9]{1,6}$"));
    if (!decimal.match(text).hasMatch())
        return std::nullopt;
    const int value = text.toInt();
    if (value < low || value > high)
        return std::nullopt;
    return static_cast<int16_t>(value);
}

std::optional<int16_t> ReadKind(const QString& text)
{
    const std::optional<int16_t> value = ReadNumber(text, 0, 201);
    if (!value)
        return std::nullopt;
    for (const int kind : KnownKinds)
        if (kind == *value)
            return value;
    return std::nullopt;
}

}  // namespace

bool IsDaemonCommandLine(const QStringList& arguments)
{
    return !arguments.isEmpty() && arguments.first().startsWith(QLatin1Char('-'));
}

std::optional<uint32_t> ParseWindowId(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    qulonglong value = 0;
    if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        static const QRegularExpression hex(QStringLiteral("^[0-9a-fA-F]{1,8}$"));
        if (hex.match(trimmed.mid(2)).hasMatch())
            value = trimmed.mid(2).toULongLong(&ok, 16);
    } else {
        static const QRegularExpression decimal(QStringLiteral("^[0-9]{1,10}$"));
        if (decimal.match(trimmed).hasMatch())
            value = trimmed.toULongLong(&ok, 10);
    }
    if (!ok || value == 0 || value > 0xffffffffULL)
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

DaemonParse ParseDaemonOptions(const QStringList& arguments, const QString& screensaverWindow)
{
    DaemonOptions options;
    std::optional<uint32_t> windowId;
    bool root = false;
    auto refuse = [](const QString& why) { return DaemonParse{std::nullopt, why}; };

    for (int i = 0; i < arguments.size(); ++i) {
        QString name = arguments.at(i);
        if (!name.startsWith(QLatin1Char('-')) || name == QLatin1String("-") || name == QLatin1String("--"))
            return refuse(QStringLiteral("unknown argument \"%1\"").arg(name));
        name.remove(0, name.startsWith(QLatin1String("--")) ? 2 : 1);
        std::optional<QString> attached;
        if (const qsizetype equals = name.indexOf(QLatin1Char('=')); equals >= 0) {
            attached = name.mid(equals + 1);
            name.truncate(equals);
        }

        if (name == QLatin1String("root") || name == QLatin1String("window") || name == QLatin1String("smoke") ||
            name == QLatin1String("no-smoke") || name == QLatin1String("help") || name == QLatin1String("h")) {
            if (attached)
                return refuse(QStringLiteral("-%1 takes no value").arg(name));
            if (name == QLatin1String("root"))
                root = true;
            else if (name == QLatin1String("window"))
                root = false;
            else if (name == QLatin1String("help") || name == QLatin1String("h"))
                options.Help = true;
            else
                options.Overrides.SmokeMode = name == QLatin1String("smoke") ? 1 : 0;
            continue;
        }

        if (name != QLatin1String("window-id") && name != QLatin1String("kind") &&
            name != QLatin1String("flight-mode") && name != QLatin1String("count") &&
            name != QLatin1String("background"))
            return refuse(QStringLiteral("unknown option \"%1\"").arg(arguments.at(i)));
        QString value;
        if (attached) {
            value = *attached;
        } else if (i + 1 < arguments.size()) {
            value = arguments.at(++i);
        } else {
            return refuse(QStringLiteral("-%1 needs a value").arg(name));
        }

        auto bad = [&] { return refuse(QStringLiteral("-%1: \"%2\" is not allowed").arg(name, value)); };
        if (name == QLatin1String("window-id")) {
            windowId = ParseWindowId(value);
            if (!windowId)
                return bad();
        } else if (name == QLatin1String("kind")) {
            if (!(options.Overrides.AirplaneKind = ReadKind(value)))
                return bad();
        } else if (name == QLatin1String("flight-mode")) {
            if (!(options.Overrides.FlightMode = ReadNumber(value, 0, 1)))
                return bad();
        } else if (name == QLatin1String("count")) {
            if (!(options.Overrides.BlueCount = ReadNumber(value, 1, 100)))
                return bad();
        } else if (!(options.Overrides.BackgroundMode = ReadNumber(value, 0, 10))) {
            return bad();
        }
    }

    if (windowId) {
        options.Place = ShowPlace::WindowId;
        options.WindowId = *windowId;
    } else if (root) {
        options.Place = ShowPlace::Root;
        if (!screensaverWindow.isEmpty()) {
            // A daemon that names its window but garbles the number must not get a show
            // drawn over the whole root window instead.
            const std::optional<uint32_t> daemonWindow = ParseWindowId(screensaverWindow);
            if (!daemonWindow)
                return refuse(QStringLiteral("XSCREENSAVER_WINDOW=\"%1\" is not a window id").arg(screensaverWindow));
            options.WindowId = *daemonWindow;
        }
    }
    return DaemonParse{options, QString()};
}

void ApplyOverrides(const ShowOverrides& overrides, SaverSettings& settings)
{
    if (overrides.AirplaneKind)
        settings.AirplaneKind = *overrides.AirplaneKind;
    if (overrides.FlightMode)
        settings.FlightMode = *overrides.FlightMode;
    if (overrides.BlueCount)
        settings.BlueCount = *overrides.BlueCount;
    if (overrides.SmokeMode)
        settings.SmokeMode = *overrides.SmokeMode;
    if (overrides.BackgroundMode)
        settings.BackgroundMode = *overrides.BackgroundMode;
}
