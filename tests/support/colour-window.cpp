// A window of one colour for the tests on Wayland compositors: opens a WIDTH x HEIGHT
// window filled with the colour (hex RRGGBB) and keeps it until killed.
#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>

namespace {

class ColourWindow : public QRasterWindow {
public:
    explicit ColourWindow(QColor colour) : colour_(colour) {}

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(QRect(QPoint(), size()), colour_); }

private:
    QColor colour_;
};

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 4)
        return 2;
    ColourWindow window(QColor(QStringLiteral("#") + QString::fromLatin1(argv[3])));
    window.resize(QString::fromLatin1(argv[1]).toInt(), QString::fromLatin1(argv[2]).toInt());
    window.show();
    return app.exec();
}
