// The options file XScreenSaver's settings dialog reads must only ever produce
// command lines the program accepts, with the meaning the dialog shows.
#include "DaemonOptions.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>

#include <map>
#include <set>

namespace {

struct ConfigNumber {
    QString Arg;
    int Low = 0;
    int High = 0;
    int Default = 0;
};

struct Config {
    QString Name;
    QString CommandArg;
    std::vector<QString> OptionArgs;  // every arg-set / arg-unset of selects and booleans
    std::vector<ConfigNumber> Numbers;
    std::map<QString, int> OptionsPerSelect;
    std::map<QString, int> DefaultsPerSelect;  // options passing nothing
};

Config ReadConfig()
{
    Config config;
    QFile file(QStringLiteral(KESTROVA_SOURCE_DIR "/packaging/kestrova-saver.xml"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString select;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const auto name = xml.name();
        if (name == QLatin1String("screensaver")) {
            config.Name = a.value(QLatin1String("name")).toString();
        } else if (name == QLatin1String("command")) {
            config.CommandArg = a.value(QLatin1String("arg")).toString();
        } else if (name == QLatin1String("select")) {
            select = a.value(QLatin1String("id")).toString();
        } else if (name == QLatin1String("option")) {
            ++config.OptionsPerSelect[select];
            if (a.hasAttribute(QLatin1String("arg-set")))
                config.OptionArgs.push_back(a.value(QLatin1String("arg-set")).toString());
            else
                ++config.DefaultsPerSelect[select];
        } else if (name == QLatin1String("boolean")) {
            for (const char* key : {"arg-set", "arg-unset"})
                if (a.hasAttribute(QLatin1String(key)))
                    config.OptionArgs.push_back(a.value(QLatin1String(key)).toString());
        } else if (name == QLatin1String("number")) {
            config.Numbers.push_back({a.value(QLatin1String("arg")).toString(),
                                      a.value(QLatin1String("low")).toInt(), a.value(QLatin1String("high")).toInt(),
                                      a.value(QLatin1String("default")).toInt()});
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return config;
}

DaemonParse ParseLine(const QString& command, const QString& option)
{
    const QString line = command + QLatin1Char(' ') + option;
    return ParseDaemonOptions(line.split(QLatin1Char(' '), Qt::SkipEmptyParts), QStringLiteral("0x600008"));
}

QString WithValue(const QString& arg, int value)
{
    QString line = arg;
    return line.replace(QLatin1Char('%'), QString::number(value));
}

}  // namespace

TEST(ScreensaverConfig, NamesTheProgramAndDrawsIntoTheDaemonsWindow)
{
    const Config config = ReadConfig();
    EXPECT_EQ(config.Name, QStringLiteral("kestrova-saver"));
    const DaemonParse p = ParseLine(config.CommandArg, QString());
    ASSERT_TRUE(p.Options) << p.Error.toStdString();
    EXPECT_EQ(p.Options->Place, ShowPlace::Root);
    EXPECT_EQ(p.Options->WindowId, 0x600008u);
}

TEST(ScreensaverConfig, EveryChoiceParsesAndEachSelectCanKeepTheStoredSetting)
{
    const Config config = ReadConfig();
    ASSERT_FALSE(config.OptionArgs.empty());
    std::set<QString> distinct;
    for (const QString& arg : config.OptionArgs) {
        const DaemonParse p = ParseLine(config.CommandArg, arg);
        EXPECT_TRUE(p.Options) << arg.toStdString() << ": " << p.Error.toStdString();
        EXPECT_TRUE(distinct.insert(arg).second) << "two choices pass " << arg.toStdString();
    }
    for (const auto& [select, count] : config.OptionsPerSelect) {
        EXPECT_GT(count, 1) << select.toStdString();
        const auto passesNothing = config.DefaultsPerSelect.find(select);
        EXPECT_TRUE(passesNothing != config.DefaultsPerSelect.end() && passesNothing->second == 1) << select.toStdString() << ": one choice passes nothing";
    }
}

TEST(ScreensaverConfig, NumbersParseOverTheirWholeRangeAndNotBeyond)
{
    const Config config = ReadConfig();
    ASSERT_FALSE(config.Numbers.empty());
    for (const ConfigNumber& n : config.Numbers) {
        EXPECT_LE(n.Low, n.Default);
        EXPECT_LE(n.Default, n.High);
        for (const int value : {n.Low, n.Default, n.High})
            EXPECT_TRUE(ParseLine(config.CommandArg, WithValue(n.Arg, value)).Options) << n.Arg.toStdString() << " " << value;
        for (const int value : {n.Low - 1, n.High + 1})
            EXPECT_FALSE(ParseLine(config.CommandArg, WithValue(n.Arg, value)).Options) << n.Arg.toStdString() << " " << value;
    }
}

TEST(ScreensaverConfig, EveryOverrideCanBeChosenWithEveryValueTheShowKnows)
{
    const Config config = ReadConfig();
    std::map<std::string, std::set<int>> chosen;
    auto note = [&](const ShowOverrides& o) {
        if (o.AirplaneKind)
            chosen["kind"].insert(*o.AirplaneKind);
        if (o.FlightMode)
            chosen["flight mode"].insert(*o.FlightMode);
        if (o.SmokeMode)
            chosen["smoke"].insert(*o.SmokeMode);
        if (o.BackgroundMode)
            chosen["background"].insert(*o.BackgroundMode);
        if (o.BlueCount)
            chosen["count"].insert(*o.BlueCount);
    };
    for (const QString& arg : config.OptionArgs)
        note(ParseLine(config.CommandArg, arg).Options.value_or(DaemonOptions()).Overrides);
    for (const ConfigNumber& n : config.Numbers)
        for (const int value : {n.Low, n.High})
            note(ParseLine(config.CommandArg, WithValue(n.Arg, value)).Options.value_or(DaemonOptions()).Overrides);

    EXPECT_EQ(chosen["kind"], (std::set<int>{0, 1, 2, 3, 4, 5, 101, 200, 201}));
    EXPECT_EQ(chosen["flight mode"], (std::set<int>{0, 1}));
    EXPECT_EQ(chosen["smoke"], (std::set<int>{0, 1}));
    EXPECT_EQ(chosen["background"], (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(chosen["count"], (std::set<int>{1, 100}));
}
