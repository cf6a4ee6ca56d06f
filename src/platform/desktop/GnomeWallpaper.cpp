// GIO before any Qt header: Qt defines `signals` as a word of its own.
#include <gio/gio.h>

#include "GnomeWallpaper.h"

#include <QColor>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QUrl>
#include <QXmlStreamReader>

#include <cstdlib>
#include <memory>

namespace {

struct BackgroundSettings {
    QString PictureUri;
    QString Options;  // none, wallpaper, centered, scaled, stretched, zoom, spanned
    QColor Colour;
};

QString TakeString(gchar* value)
{
    const QString text = QString::fromUtf8(value);
    g_free(value);
    return text;
}

// A schema that is not installed would abort GSettings, so each is looked up first.
std::unique_ptr<GSettings, decltype(&g_object_unref)> OpenSettings(const char* schemaId)
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, schemaId, TRUE) : nullptr;
    if (!schema)
        return {nullptr, g_object_unref};
    GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
    g_settings_schema_unref(schema);
    return {settings, g_object_unref};
}

bool HasKey(GSettings* settings, const char* key)
{
    GSettingsSchema* schema = nullptr;
    g_object_get(settings, "settings-schema", &schema, nullptr);
    const bool has = schema && g_settings_schema_has_key(schema, key);
    if (schema)
        g_settings_schema_unref(schema);
    return has;
}

bool ReadSettings(BackgroundSettings& out)
{
    const auto background = OpenSettings("org.gnome.desktop.background");
    if (!background)
        return false;
    bool dark = false;
    if (const auto interface = OpenSettings("org.gnome.desktop.interface"); interface && HasKey(interface.get(), "color-scheme"))
        dark = TakeString(g_settings_get_string(interface.get(), "color-scheme")) == QLatin1String("prefer-dark");
    const char* pictureKey = dark && HasKey(background.get(), "picture-uri-dark") ? "picture-uri-dark" : "picture-uri";
    out.PictureUri = TakeString(g_settings_get_string(background.get(), pictureKey));
    out.Options = TakeString(g_settings_get_string(background.get(), "picture-options"));
    out.Colour = QColor(TakeString(g_settings_get_string(background.get(), "primary-color")));
    if (!out.Colour.isValid())
        out.Colour = Qt::black;
    return true;
}

// A background XML file names its picture, or one per size, of which the size nearest the
// output wins. A slide show gives its first picture.
QString PictureOfBackgroundXml(const QString& file, QSize output)
{
    QFile xml(file);
    if (!xml.open(QIODevice::ReadOnly))
        return QString();
    QXmlStreamReader reader(&xml);
    const long long outputArea = static_cast<long long>(output.width()) * output.height();
    QString best;
    long long bestDistance = 0;
    bool inFile = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("file")) {
            inFile = true;
        } else if (inFile && reader.isCharacters() && !reader.isWhitespace() && best.isEmpty()) {
            best = reader.text().trimmed().toString();
        } else if (inFile && reader.isStartElement() && reader.name() == QLatin1String("size")) {
            const long long area = reader.attributes().value(QLatin1String("width")).toLongLong() *
                                   reader.attributes().value(QLatin1String("height")).toLongLong();
            const QString picture = reader.readElementText().trimmed();
            if (best.isEmpty() || std::llabs(area - outputArea) < bestDistance) {
                best = picture;
                bestDistance = std::llabs(area - outputArea);
            }
        } else if (reader.isEndElement() && reader.name() == QLatin1String("file") && !best.isEmpty()) {
            return best;
        }
    }
    return best;
}

// Where a picture of this size lies on the output, as GNOME places it.
QRect Placement(const QString& options, QSize picture, QSize output)
{
    const auto centred = [&output](QSize size) {
        return QRect(QPoint((output.width() - size.width()) / 2, (output.height() - size.height()) / 2), size);
    };
    if (options == QLatin1String("stretched"))
        return QRect(QPoint(0, 0), output);
    if (options == QLatin1String("centered"))
        return centred(picture);
    if (options == QLatin1String("scaled"))
        return centred(picture.scaled(output, Qt::KeepAspectRatio));
    // zoom, the default; spanned is drawn as zoom on each output.
    return centred(picture.scaled(output, Qt::KeepAspectRatioByExpanding));
}

}  // namespace

QImage GnomeWallpaper(QSize outputPixels, QString* reason)
{
    BackgroundSettings settings;
    if (!ReadSettings(settings)) {
        *reason = QStringLiteral("GNOME's background settings are not installed");
        return QImage();
    }
    QImage wallpaper(outputPixels, QImage::Format_RGB32);
    wallpaper.fill(settings.Colour);
    // No picture: GNOME shows the colour alone.
    if (settings.Options == QLatin1String("none") || settings.PictureUri.isEmpty())
        return wallpaper;

    QString file = QUrl(settings.PictureUri).toLocalFile();
    if (file.isEmpty())
        file = settings.PictureUri;  // a plain path
    if (file.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
        file = PictureOfBackgroundXml(file, outputPixels);
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QSize natural = reader.size();
    if (file.isEmpty() || !natural.isValid()) {
        *reason = QStringLiteral("GNOME's background picture %1 cannot be read (%2)").arg(settings.PictureUri, reader.errorString());
        return QImage();
    }
    const bool tiled = settings.Options == QLatin1String("wallpaper");
    const QRect place = tiled ? QRect(QPoint(0, 0), natural) : Placement(settings.Options, natural, outputPixels);
    // Decoded at the size it is drawn, so a drawing (SVG) stays sharp.
    reader.setScaledSize(place.size());
    const QImage picture = reader.read();
    if (picture.isNull()) {
        *reason = QStringLiteral("GNOME's background picture %1 cannot be read (%2)").arg(file, reader.errorString());
        return QImage();
    }
    QPainter painter(&wallpaper);
    if (!tiled)
        painter.drawImage(place.topLeft(), picture);
    for (int y = 0; tiled && y < outputPixels.height(); y += picture.height())
        for (int x = 0; x < outputPixels.width(); x += picture.width())
            painter.drawImage(x, y, picture);
    return wallpaper;
}
