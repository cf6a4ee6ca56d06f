// The model lines' rules were first written over Qt's byte arrays; the portable rules
// must accept exactly the same lines. Qt's own parsing is the reference here.
#include "DecimalText.h"
#include "ModelFile.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>

#include <climits>
#include <random>

namespace {

bool QtIndexListInRange(const QByteArray& line, qsizetype limit)
{
    const QList<QByteArray> parts = line.trimmed().split(';');
    if (parts.size() < 3)
        return false;
    bool ok = false;
    const int count = parts[0].toInt(&ok);
    if (!ok || count < 3)
        return false;
    const QList<QByteArray> indices = parts[1].split(',');
    if (indices.size() != count)
        return false;
    for (const QByteArray& index : indices) {
        const long long value = index.toLongLong(&ok);
        if (!ok || value < 0 || value >= limit)
            return false;
    }
    return true;
}

// One face with its normals and material, over four vertices and four normals.
bool QtFaceConsistent(const QByteArray& face, const QByteArray& normals, const QByteArray& material)
{
    if (!QtIndexListInRange(face, 4) || !QtIndexListInRange(normals, 4))
        return false;
    if (face.trimmed().split(';')[0] != normals.trimmed().split(';')[0])
        return false;
    QByteArray index = material.trimmed();
    index.chop(1);
    bool ok = false;
    const int value = index.toInt(&ok);
    return ok && value >= 0 && value < ModelMaterialCount;
}

bool FaceConsistent(const std::string& face, const std::string& normals, const std::string& material)
{
    ModelLines lines;
    lines.Vertices.assign(4, " 0.0;0.0;0.0;,");
    lines.Normals.assign(4, " 0.0;1.0;0.0;,");
    lines.TexCoords.assign(4, " 0.0;0.0;,");
    lines.Faces = {face};
    lines.FaceNormals = {normals};
    lines.MaterialIndices = {material};
    return ModelLinesConsistent(lines);
}

// Pieces that meet the edges of the number rules: blanks of every kind, signs, leading
// zeros, the limits of int and long long and one past them, bytes that are no digits.
const std::vector<std::string> Pieces{
    "0", "1", "2", "3", "4", "9", "03", " ", "\t", "\v", "\f", "\r", "\n", ",", ";", "+", "-", "x", "0x3", "a",
    "1e2", "2147483647", "2147483648", "-2147483648", "-2147483649", "9223372036854775807",
    "9223372036854775808", "-9223372036854775808", "-9223372036854775809", "18446744073709551616",
    "\xc2\xa0", "\x80", std::string(1, '\0')};

std::string RandomText(std::mt19937& random, const std::string& start)
{
    std::string text = start;
    const int count = std::uniform_int_distribution<int>(0, 7)(random);
    for (int i = 0; i < count; ++i)
        text += Pieces[std::uniform_int_distribution<size_t>(0, Pieces.size() - 1)(random)];
    return text;
}

}  // namespace

TEST(ModelLineRules, NumbersAndBlanksAreReadAsQtReadsThem)
{
    std::mt19937 random(14);
    std::vector<std::string> texts = Pieces;
    for (int i = 0; i < 20000; ++i)
        texts.push_back(RandomText(random, ""));
    for (const std::string& text : texts) {
        const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
        bool ok = false;
        const int asInt = bytes.toInt(&ok);
        EXPECT_EQ(ParseDecimal(text, INT_MIN, INT_MAX), ok ? std::optional<long long>(asInt) : std::nullopt)
            << '"' << text << '"';
        const long long asLong = bytes.toLongLong(&ok);
        EXPECT_EQ(ParseDecimal(text, LLONG_MIN, LLONG_MAX), ok ? std::optional<long long>(asLong) : std::nullopt)
            << '"' << text << '"';
        EXPECT_EQ(std::string(TrimBlanks(text)), bytes.trimmed().toStdString()) << '"' << text << '"';
    }
}

TEST(ModelLineRules, TheSameFacesNormalsAndMaterialsFitTogetherAsBefore)
{
    std::mt19937 random(16);
    const std::vector<std::string> starts{"", " 3;", "  3;0,1,", " 3 ;", "3;0,1,2;", " 4;0,1,2,3;"};
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string& start = starts[static_cast<size_t>(i) % starts.size()];
        std::string face = " 3;0,1,2;;", normals = "3;3,2,1;,", material = "  8;";
        switch (i % 3) {
        case 0: face = RandomText(random, start); break;
        case 1: normals = RandomText(random, start); break;
        default: material = RandomText(random, i % 2 ? "" : " 0"); break;
        }
        const auto bytes = [](const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); };
        const bool before = QtFaceConsistent(bytes(face), bytes(normals), bytes(material));
        accepted += before;
        EXPECT_EQ(FaceConsistent(face, normals, material), before)
            << '"' << face << "\" \"" << normals << "\" \"" << material << '"';
    }
    // Enough of both kinds to mean something.
    EXPECT_GT(accepted, 500);
    EXPECT_LT(accepted, 19500);
}
