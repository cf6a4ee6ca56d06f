// The six T-4 texture pictures the model file names: 24-bit Windows bitmaps with power-of-two
// sides, one set per scheme, and the two schemes told apart at a glance.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

namespace {

const char* const Blue[3] = {"t4bttm.bmp", "t4right_1.bmp", "t4top.bmp"};
const char* const White[3] = {"t4bttm_r.bmp", "t4right_1_r.bmp", "t4top_r.bmp"};

QString TexturePath(const char* name)
{
    return QStringLiteral(KESTROVA_SOURCE_DIR "/assets/textures/") + QLatin1String(name);
}

bool PowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

// Mean red and blue over the picture, 0..255.
std::pair<double, double> MeanRedBlue(const QImage& img)
{
    double r = 0, b = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            r += qRed(img.pixel(x, y));
            b += qBlue(img.pixel(x, y));
        }
    const double n = double(img.width()) * img.height();
    return {r / n, b / n};
}

}  // namespace

TEST(TexturePictures, AreTwentyFourBitBitmapsWithPowerOfTwoSides)
{
    for (const auto* set : {Blue, White}) {
        for (int i = 0; i < 3; ++i) {
            QFile file(TexturePath(set[i]));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << set[i];
            const QByteArray head = file.read(30);
            ASSERT_TRUE(head.startsWith("BM")) << set[i];
            EXPECT_EQ(uchar(head[28]) | (uchar(head[29]) << 8), 24) << set[i];
            const QImage img(TexturePath(set[i]));
            EXPECT_TRUE(PowerOfTwo(img.width()) && PowerOfTwo(img.height())) << set[i];
        }
    }
}

TEST(TexturePictures, TheTwoSchemesAreBlueOnTopAndWhiteWithWarmTrim)
{
    const auto [blueRed, blueBlue] = MeanRedBlue(QImage(TexturePath(Blue[2])));
    EXPECT_GT(blueBlue, blueRed + 60) << "the blue scheme's top is mostly blue";
    const auto [whiteRed, whiteBlue] = MeanRedBlue(QImage(TexturePath(White[2])));
    EXPECT_GT(whiteRed, whiteBlue) << "the second scheme's trim is red-orange";
    EXPECT_GT(whiteBlue, 150) << "the second scheme is mostly white";
}
