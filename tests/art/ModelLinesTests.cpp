#include "ModelLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

constexpr int VertexCount = 679;
constexpr int FaceCount = 488;
constexpr int NormalCount = 1642;

class ModelLinesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Lines = new ModelLines(ReadAllModelLines());
        Data = new ModelData(ParseModelLines(*Lines));
    }
    static void TearDownTestSuite()
    {
        delete Data;
        delete Lines;
    }
    static ModelLines* Lines;
    static ModelData* Data;
};

ModelLines* ModelLinesTest::Lines = nullptr;
ModelData* ModelLinesTest::Data = nullptr;

std::array<double, 3> Sub(const std::array<double, 3>& a, const std::array<double, 3>& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

}  // namespace

TEST_F(ModelLinesTest, EveryListHasItsCountAndEveryLineItsForm)
{
    EXPECT_EQ(Lines->Vertices.size(), VertexCount);
    EXPECT_EQ(Lines->Faces.size(), FaceCount);
    EXPECT_EQ(Lines->MaterialIndices.size(), FaceCount);
    EXPECT_EQ(Lines->Normals.size(), NormalCount);
    EXPECT_EQ(Lines->FaceNormals.size(), FaceCount);
    EXPECT_EQ(Lines->TexCoords.size(), VertexCount);
    EXPECT_TRUE(Data->Problems.isEmpty()) << Data->Problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Data->Vertices.size(), VertexCount);
    EXPECT_EQ(Data->Normals.size(), NormalCount);
}

TEST_F(ModelLinesTest, FacesAreTrianglesAndQuadrilateralsOverUsedVertices)
{
    int triangles = 0, quads = 0;
    std::set<int> used;
    for (const auto& f : Data->Faces) {
        triangles += f.size() == 3;
        quads += f.size() == 4;
        for (int v : f) {
            EXPECT_GE(v, 0);
            EXPECT_LT(v, VertexCount);
            used.insert(v);
        }
        EXPECT_EQ(std::set<int>(f.begin(), f.end()).size(), f.size()) << "a face repeats a corner";
    }
    EXPECT_EQ(triangles, 310);
    EXPECT_EQ(quads, 178);
    EXPECT_EQ(used.size(), size_t(VertexCount)) << "every vertex belongs to a face";
}

TEST_F(ModelLinesTest, MaterialsHaveTheirFaceCounts)
{
    std::map<int, int> counts;
    for (int m : Data->Materials)
        ++counts[m];
    const std::map<int, int> expected{{0, 8}, {1, 5}, {2, 5}, {3, 88}, {4, 236}, {5, 24}, {6, 8}, {7, 102}, {8, 12}};
    EXPECT_EQ(counts, expected);
}

TEST_F(ModelLinesTest, SpansTheDocumentedBoxNoseAtMinusZFinUp)
{
    ASSERT_FALSE(Data->Vertices.empty());
    std::array<double, 3> lo = Data->Vertices[0], hi = Data->Vertices[0];
    size_t nose = 0, finTop = 0;
    for (size_t i = 0; i < Data->Vertices.size(); ++i) {
        const auto& v = Data->Vertices[i];
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], v[k]);
            hi[k] = std::max(hi[k], v[k]);
        }
        nose = v[2] < Data->Vertices[nose][2] ? i : nose;
        finTop = v[1] > Data->Vertices[finTop][1] ? i : finTop;
    }
    EXPECT_NEAR(lo[0], -7.007342, 1e-6);
    EXPECT_NEAR(hi[0], 7.007342, 1e-6);
    EXPECT_NEAR(lo[1], -1.274067, 1e-6);
    EXPECT_NEAR(hi[1], 4.252953, 1e-6);
    EXPECT_NEAR(lo[2], -9.184702, 1e-6);
    EXPECT_NEAR(hi[2], 9.184702, 1e-6);
    // The nose tip lies on the centre line; the top of the fin is on the centre line at the rear.
    EXPECT_NEAR(Data->Vertices[nose][0], 0.0, 1e-6);
    EXPECT_NEAR(Data->Vertices[finTop][0], 0.0, 0.2);
    EXPECT_GT(Data->Vertices[finTop][2], 5.0);
}

TEST_F(ModelLinesTest, OneUnitNormalPerCornerAgreeingWithTheWinding)
{
    ASSERT_EQ(Data->FaceNormals.size(), Data->Faces.size());
    std::vector<int> uses(NormalCount, 0);
    int agree = 0;
    for (size_t f = 0; f < Data->Faces.size(); ++f) {
        const auto& corners = Data->Faces[f];
        const auto& normals = Data->FaceNormals[f];
        ASSERT_EQ(normals.size(), corners.size()) << "face " << f;
        for (int n : normals) {
            ASSERT_GE(n, 0);
            ASSERT_LT(n, NormalCount);
            ++uses[n];
        }
        // Front faces turn clockwise seen from outside, so the cross product of the first two
        // edges (taken as numbers) points the way the corner normals do.
        const auto a = Data->Vertices[corners[0]], b = Data->Vertices[corners[1]], c = Data->Vertices[corners[2]];
        const auto e1 = Sub(b, a), e2 = Sub(c, a);
        const std::array<double, 3> cross{e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                          e1[0] * e2[1] - e1[1] * e2[0]};
        const auto& n = Data->Normals[normals[0]];
        agree += cross[0] * n[0] + cross[1] * n[1] + cross[2] * n[2] > 0;
    }
    EXPECT_TRUE(std::all_of(uses.begin(), uses.end(), [](int u) { return u == 1; }));
    EXPECT_GE(agree, int(Data->Faces.size()) * 95 / 100);
    for (const auto& n : Data->Normals)
        EXPECT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0, 2e-5);
}

TEST_F(ModelLinesTest, TextureCoordinatesLieInThePictures)
{
    for (const auto& t : Data->TexCoords) {
        EXPECT_GE(t[0], 0.0);
        EXPECT_LE(t[0], 1.0);
        EXPECT_GE(t[1], 0.0);
        EXPECT_LE(t[1], 1.0);
    }
}

TEST_F(ModelLinesTest, CanopyGlassSitsOnTopOfTheForwardFuselage)
{
    for (size_t f = 0; f < Data->Faces.size(); ++f) {
        if (Data->Materials[f] != 1)
            continue;
        for (int v : Data->Faces[f]) {
            EXPECT_LT(Data->Vertices[v][2], 0.0) << "glass ahead of the middle";
            EXPECT_GT(Data->Vertices[v][1], 0.0) << "glass above the centre line";
        }
    }
}
