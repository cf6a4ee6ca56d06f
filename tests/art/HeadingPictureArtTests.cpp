// The 48 heading pictures under assets/sprites/: sizes, clean keying, and headings that are
// true rotations of one another with the nose where the heading number says.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const int CellEdge[6] = {400, 180, 225, 240, 240, 240};

QString PicturePath(int kind, int heading)
{
    return QStringLiteral(KESTROVA_SOURCE_DIR "/assets/sprites/kind%1_%2.png").arg(kind).arg(heading);
}

QImage Picture(int kind, int heading)
{
    return QImage(PicturePath(kind, heading)).convertToFormat(QImage::Format_RGB32);
}

// The key colour is black for kind 0 and the top-left pixel for the others.
QRgb KeyOf(int kind, const QImage& img)
{
    return kind == 0 ? qRgb(0, 0, 0) : img.pixel(0, 0);
}

struct Silhouette {
    int Edge = 0;
    std::vector<char> Inside;
    bool At(int x, int y) const { return x >= 0 && y >= 0 && x < Edge && y < Edge && Inside[size_t(y * Edge + x)]; }
};

Silhouette SilhouetteOf(const QImage& img, QRgb key)
{
    Silhouette s;
    s.Edge = img.width();
    s.Inside.resize(size_t(s.Edge * s.Edge));
    for (int y = 0; y < s.Edge; ++y)
        for (int x = 0; x < s.Edge; ++x)
            s.Inside[size_t(y * s.Edge + x)] = (img.pixel(x, y) & 0xFFFFFF) != (key & 0xFFFFFF);
    return s;
}

// The silhouette turned clockwise by `degrees` about the picture's centre (nearest pixel).
Silhouette Turned(const Silhouette& s, double degrees)
{
    Silhouette out = s;
    const double a = degrees * M_PI / 180.0, c = s.Edge / 2.0;
    for (int y = 0; y < s.Edge; ++y) {
        for (int x = 0; x < s.Edge; ++x) {
            const double dx = x + 0.5 - c, dy = y + 0.5 - c;
            const double sx = c + dx * std::cos(a) + dy * std::sin(a), sy = c - dx * std::sin(a) + dy * std::cos(a);
            out.Inside[size_t(y * s.Edge + x)] = s.At(int(std::floor(sx)), int(std::floor(sy)));
        }
    }
    return out;
}

double Overlap(const Silhouette& a, const Silhouette& b)
{
    int both = 0, either = 0;
    for (size_t i = 0; i < a.Inside.size(); ++i) {
        both += a.Inside[i] && b.Inside[i];
        either += a.Inside[i] || b.Inside[i];
    }
    return either ? double(both) / either : 0.0;
}

double Brightness(QRgb c)
{
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

}  // namespace

TEST(HeadingPictureArt, EveryPictureIsASquareRgbPngOfItsKindsEdge)
{
    for (int kind = 0; kind < 6; ++kind) {
        for (int d = 0; d < 8; ++d) {
            QFile file(PicturePath(kind, d));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << PicturePath(kind, d).toStdString();
            const QByteArray head = file.read(26);
            // PNG signature, then IHDR: bit depth 8, colour type 2 (RGB, no alpha, no palette).
            ASSERT_TRUE(head.startsWith("\x89PNG\r\n\x1a\n"));
            EXPECT_EQ(int(head[24]), 8);
            EXPECT_EQ(int(head[25]), 2);
            const QImage img(PicturePath(kind, d));
            EXPECT_EQ(img.width(), CellEdge[kind]);
            EXPECT_EQ(img.height(), CellEdge[kind]);
            EXPECT_FALSE(img.hasAlphaChannel());
        }
    }
}

TEST(HeadingPictureArt, KeyColourSurroundsTheAircraftAndNeverAppearsInsideIt)
{
    for (int kind = 0; kind < 6; ++kind) {
        for (int d = 0; d < 8; ++d) {
            const QImage img = Picture(kind, d);
            const QRgb key = KeyOf(kind, img);
            const Silhouette s = SilhouetteOf(img, key);
            const int n = s.Edge;
            // The whole border is background: no aircraft is cut at the cell's edge.
            for (int i = 0; i < n; ++i)
                ASSERT_FALSE(s.At(i, 0) || s.At(i, n - 1) || s.At(0, i) || s.At(n - 1, i)) << kind << "_" << d;
            // Flood fill over key-coloured pixels from the corners reaches every one of them.
            std::vector<char> reached(size_t(n * n), 0);
            std::vector<int> stack{0, n - 1, (n - 1) * n, n * n - 1};
            while (!stack.empty()) {
                const int p = stack.back();
                stack.pop_back();
                if (reached[size_t(p)] || s.Inside[size_t(p)])
                    continue;
                reached[size_t(p)] = 1;
                const int x = p % n, y = p / n;
                if (x > 0) stack.push_back(p - 1);
                if (x < n - 1) stack.push_back(p + 1);
                if (y > 0) stack.push_back(p - n);
                if (y < n - 1) stack.push_back(p + n);
            }
            int unreached = 0, aircraft = 0;
            for (size_t i = 0; i < reached.size(); ++i) {
                unreached += !s.Inside[i] && !reached[i];
                aircraft += s.Inside[i];
            }
            EXPECT_EQ(unreached, 0) << "key-coloured holes in kind " << kind << " heading " << d;
            EXPECT_GT(aircraft, n * n / 20) << kind << "_" << d;
        }
    }
}

TEST(HeadingPictureArt, EdgesCarryTheAircraftsColourNotABlendWithTheKey)
{
    // A rim blended with the black key would be much darker than the aircraft two pixels further
    // in; shading changes far less over two pixels.
    const int steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (int kind = 0; kind < 6; ++kind) {
        for (int d = 0; d < 8; ++d) {
            const QImage img = Picture(kind, d);
            const Silhouette s = SilhouetteOf(img, KeyOf(kind, img));
            std::vector<double> ratios;
            for (int y = 0; y < s.Edge; ++y) {
                for (int x = 0; x < s.Edge; ++x) {
                    if (!s.At(x, y))
                        continue;
                    for (const auto& step : steps) {
                        const int ix = x - 2 * step[0], iy = y - 2 * step[1];
                        if (s.At(x + step[0], y + step[1]) || !s.At(ix, iy) || !s.At(x - step[0], y - step[1]))
                            continue;
                        ratios.push_back(Brightness(img.pixel(x, y)) / std::max(1.0, Brightness(img.pixel(ix, iy))));
                        break;
                    }
                }
            }
            ASSERT_GT(ratios.size(), 50u) << kind << "_" << d;
            std::nth_element(ratios.begin(), ratios.begin() + long(ratios.size() / 2), ratios.end());
            EXPECT_GT(ratios[ratios.size() / 2], 0.8) << kind << "_" << d;
        }
    }
}

TEST(HeadingPictureArt, HeadingsTurnClockwiseInFortyFiveDegreeSteps)
{
    for (int kind = 0; kind < 6; ++kind) {
        std::vector<Silhouette> s;
        for (int d = 0; d < 8; ++d) {
            const QImage img = Picture(kind, d);
            s.push_back(SilhouetteOf(img, KeyOf(kind, img)));
        }
        for (int d = 0; d < 8; ++d) {
            EXPECT_GT(Overlap(Turned(s[0], 45.0 * d), s[d]), d % 2 ? 0.85 : 0.95) << kind << "_" << d;
            EXPECT_LT(Overlap(Turned(s[0], 45.0 * d + 180.0), s[d]), 0.8) << kind << "_" << d;
        }
    }
}

TEST(HeadingPictureArt, HeadingZeroPointsUpAndFillsMostOfTheCell)
{
    for (int kind = 0; kind < 6; ++kind) {
        const QImage img = Picture(kind, 0);
        const Silhouette s = SilhouetteOf(img, KeyOf(kind, img));
        int top = s.Edge, bottom = -1, widest = 0;
        std::vector<int> width(size_t(s.Edge), 0);
        for (int y = 0; y < s.Edge; ++y) {
            for (int x = 0; x < s.Edge; ++x)
                width[size_t(y)] += s.At(x, y);
            if (width[size_t(y)]) {
                top = std::min(top, y);
                bottom = y;
            }
            widest = std::max(widest, width[size_t(y)]);
        }
        ASSERT_GE(bottom, top);
        const int length = bottom - top + 1;
        EXPECT_GT(length, s.Edge * 3 / 4) << "kind " << kind;
        // The nose: the first twentieth of the length is a narrow point on the centre line.
        for (int y = top; y < top + length / 20; ++y)
            EXPECT_LT(width[size_t(y)], widest / 5) << "kind " << kind << " row " << y;
        int sum = 0, count = 0;
        for (int x = 0; x < s.Edge; ++x)
            if (s.At(x, top)) {
                sum += x;
                ++count;
            }
        EXPECT_NEAR(double(sum) / count, s.Edge / 2.0, s.Edge * 0.02) << "kind " << kind;
        // Centred along its length, so the tail sits half an edge behind the picture's centre.
        EXPECT_NEAR((top + bottom + 1) / 2.0, s.Edge / 2.0, s.Edge * 0.03) << "kind " << kind;
    }
}
