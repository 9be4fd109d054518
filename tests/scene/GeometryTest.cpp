// Face normals, smoothing lists, corner and vertex normals, the quadrilateral split and the
// vector arithmetic they rest on.
#include "scene/CFace.h"
#include "scene/CModel.h"
#include "scene/SmoothingThreshold.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

std::uint32_t Bits(float f) { return std::bit_cast<std::uint32_t>(f); }

// Same bits, so that signed zeros and NaNs count.
void ExpectSameVector(const CVector& a, const CVector& b, const char* what)
{
    EXPECT_EQ(Bits(a.m_x), Bits(b.m_x)) << what;
    EXPECT_EQ(Bits(a.m_y), Bits(b.m_y)) << what;
    EXPECT_EQ(Bits(a.m_z), Bits(b.m_z)) << what;
}

CFace MakeFace(std::vector<std::int32_t> indices)
{
    CFace face;
    face.m_indices = std::move(indices);
    return face;
}

// A flat grid of quads in the XZ plane (y = 0), side x side vertices.
CModel MakeGrid(std::int32_t side)
{
    CModel model;
    for (std::int32_t row = 0; row < side; ++row)
        for (std::int32_t col = 0; col < side; ++col)
            model.m_vertices.emplace_back(static_cast<float>(col), 0.0f, static_cast<float>(row));
    for (std::int32_t row = 0; row + 1 < side; ++row)
        for (std::int32_t col = 0; col + 1 < side; ++col) {
            const std::int32_t v = row * side + col;
            model.m_faces.push_back(MakeFace({v, v + side, v + side + 1, v + 1}));
        }
    return model;
}

void ComputeNormals(CModel& model)
{
    model.BuildSmoothingLists();
    model.ComputeCornerNormals();
    model.StoreVertexNormals();
}

// Two quads meeting at a right angle along the edge from vertex 0 to vertex 1: one in the
// XY plane, one in the XZ plane.
CModel MakeRightAngle(float smoothingAngle)
{
    CModel model;
    model.m_smoothingAngle = smoothingAngle;
    model.m_vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {1, 0, 1}, {0, 0, 1}};
    model.m_faces = {MakeFace({0, 1, 2, 3}), MakeFace({1, 0, 5, 4})};
    ComputeNormals(model);
    return model;
}

// --- The normals written out step by step, as simply as possible, to hold the real ones to.

struct ReferenceNormals {
    std::vector<std::vector<std::int32_t>> vertexFaces;
    std::vector<CVector> faceNormals;
    std::vector<std::vector<std::vector<std::int32_t>>> cornerFaces;
    std::vector<std::vector<CVector>> cornerNormals;
    std::vector<CVector> vertexNormals;
};

CVector ReferenceNormalize(CVector v)
{
    const float length = static_cast<float>(std::sqrt(static_cast<double>(v.m_x * v.m_x + v.m_y * v.m_y + v.m_z * v.m_z)));
    if (length == 0.0f)
        return CVector(0, 0, 1);
    const float r = 1.0f / length;
    return CVector(v.m_x * r, v.m_y * r, v.m_z * r);
}

// Only for models whose faces all name existing vertices. Vertex normals start from the
// model's own (vertices no face uses keep them).
ReferenceNormals ComputeReference(const CModel& model)
{
    ReferenceNormals out;
    const float threshold = model.m_smoothingAngle / 360.0f * 6.2831855f;
    out.vertexFaces.resize(model.m_vertices.size());
    for (std::size_t j = 0; j < model.m_faces.size(); ++j)
        for (std::int32_t v : model.m_faces[j].m_indices)
            out.vertexFaces[v].push_back(static_cast<std::int32_t>(j));
    for (const CFace& face : model.m_faces) {
        CVector n = face.m_normal;
        if (face.m_indices.size() >= 3) {
            const CVector& a = model.m_vertices[face.m_indices[0]];
            const CVector& b = model.m_vertices[face.m_indices[1]];
            const CVector& c = model.m_vertices[face.m_indices[2]];
            const CVector ab(a.m_x - b.m_x, a.m_y - b.m_y, a.m_z - b.m_z);
            const CVector ac(a.m_x - c.m_x, a.m_y - c.m_y, a.m_z - c.m_z);
            n = ReferenceNormalize(CVector(ab.m_y * ac.m_z - ab.m_z * ac.m_y, ab.m_z * ac.m_x - ab.m_x * ac.m_z,
                                           ab.m_x * ac.m_y - ab.m_y * ac.m_x));
        }
        out.faceNormals.push_back(n);
    }
    for (std::size_t j = 0; j < model.m_faces.size(); ++j) {
        out.cornerFaces.emplace_back();
        out.cornerNormals.emplace_back();
        for (std::int32_t v : model.m_faces[j].m_indices) {
            std::vector<std::int32_t> list;
            CVector sum(0, 0, 0);
            for (std::int32_t k : out.vertexFaces[v]) {
                const CVector& a = out.faceNormals[j];
                const CVector& b = out.faceNormals[k];
                const float dot = a.m_x * b.m_x + a.m_y * b.m_y + a.m_z * b.m_z;
                if (k == static_cast<std::int32_t>(j) || threshold > static_cast<float>(std::acos(static_cast<double>(dot)))) {
                    list.push_back(k);
                    sum = CVector(sum.m_x + b.m_x, sum.m_y + b.m_y, sum.m_z + b.m_z);
                }
            }
            out.cornerFaces.back().push_back(list);
            out.cornerNormals.back().push_back(ReferenceNormalize(sum));
        }
    }
    for (const CNormal& n : model.m_vertexNormals)
        out.vertexNormals.push_back(n);
    out.vertexNormals.resize(model.m_vertices.size());
    for (std::size_t j = 0; j < model.m_faces.size(); ++j)
        for (std::size_t c = 0; c < model.m_faces[j].m_indices.size(); ++c)
            out.vertexNormals[model.m_faces[j].m_indices[c]] = out.cornerNormals[j][c];
    return out;
}

// The lists are computed twice, first at another angle, so that a recomputation in the
// storage of the first is checked too.
void ExpectMatchesReference(CModel model)
{
    const ReferenceNormals expected = ComputeReference(model);
    const float angle = model.m_smoothingAngle;
    model.m_smoothingAngle = 180.0f - angle;
    ComputeNormals(model);
    model.m_smoothingAngle = angle;
    ComputeNormals(model);
    for (std::size_t v = 0; v < model.m_vertices.size(); ++v) {
        EXPECT_EQ(model.m_vertexNormals[v].m_faces, expected.vertexFaces[v]) << "vertex " << v;
        ExpectSameVector(model.m_vertexNormals[v], expected.vertexNormals[v], "vertex normal");
    }
    for (std::size_t j = 0; j < model.m_faces.size(); ++j) {
        const CFace& face = model.m_faces[j];
        ExpectSameVector(face.m_normal, expected.faceNormals[j], "face normal");
        ASSERT_EQ(face.m_cornerNormals.size(), face.m_indices.size());
        for (std::size_t c = 0; c < face.m_indices.size(); ++c) {
            EXPECT_EQ(face.m_cornerNormals[c].m_faces, expected.cornerFaces[j][c]) << "face " << j << " corner " << c;
            ExpectSameVector(face.m_cornerNormals[c], expected.cornerNormals[j][c], "corner normal");
        }
    }
}

// A bumpy height field with some degenerate, doubled-up and line faces mixed in.
CModel MakeRandomModel(std::mt19937& random, std::int32_t side, float smoothingAngle)
{
    CModel model;
    model.m_smoothingAngle = smoothingAngle;
    std::uniform_real_distribution<float> height(-1.0f, 1.0f);
    std::uniform_int_distribution<int> pick(0, 19);
    for (std::int32_t row = 0; row < side; ++row)
        for (std::int32_t col = 0; col < side; ++col) {
            // Many heights equal, so that many neighbouring normals are exactly equal too.
            const float y = pick(random) < 10 ? 0.0f : std::round(height(random) * 4.0f) * 0.25f;
            model.m_vertices.emplace_back(static_cast<float>(col), y, static_cast<float>(row));
        }
    for (std::int32_t row = 0; row + 1 < side; ++row)
        for (std::int32_t col = 0; col + 1 < side; ++col) {
            const std::int32_t v = row * side + col;
            switch (pick(random)) {
            case 0:  // two triangles
                model.m_faces.push_back(MakeFace({v, v + side, v + side + 1}));
                model.m_faces.push_back(MakeFace({v, v + side + 1, v + 1}));
                break;
            case 1:  // a line along the quad's diagonal, and the quad
                model.m_faces.push_back(MakeFace({v, v + side + 1}));
                model.m_faces.push_back(MakeFace({v, v + side, v + side + 1, v + 1}));
                break;
            case 2:  // degenerate: a corner repeated
                model.m_faces.push_back(MakeFace({v, v, v + 1}));
                break;
            case 3:  // a flipped quad over the same corners
                model.m_faces.push_back(MakeFace({v + 1, v + side + 1, v + side, v}));
                break;
            default:
                model.m_faces.push_back(MakeFace({v, v + side, v + side + 1, v + 1}));
            }
        }
    return model;
}

}  // namespace

TEST(VectorArithmetic, ResultsAndEdgeCases)
{
    CVector a(1, 2, 3);
    a.m_weight = 0.5f;
    a.m_boneIndex = 4;
    a.m_mark = 1;
    const CVector b(4, 5, 6);

    // New vectors carry the defaults, whatever the operands hold.
    const CVector sum = a.Add(b);
    const CVector difference = a.Subtract(b);
    EXPECT_EQ(sum.m_weight, 1.0f);
    EXPECT_EQ(sum.m_boneIndex, -1);
    EXPECT_EQ(difference.m_mark, 0);

    // Cross may write into one of its own operands.
    CVector c = a;
    c.Cross(c, b);
    ExpectSameVector(c, CVector(-3, 6, -3), "cross into an operand");

    CVector zero(0, 0, 0);
    ExpectSameVector(zero.Normalize(), CVector(0, 0, 1), "zero length");
    // Tiny components whose squares vanish in single precision count as zero length.
    CVector tiny(1e-30f, 0, 0);
    ExpectSameVector(tiny.Normalize(), CVector(0, 0, 1), "underflowing length");

    // Equality compares x, y, z by value: -0 equals 0, NaN equals nothing.
    EXPECT_TRUE(CVector(0, 1, 2).Equals(CVector(-0.0f, 1, 2)));
    EXPECT_FALSE(CVector(0, 1, 2).Compare(CVector(-0.0f, 1, 2)));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(CVector(nan, 0, 0).Equals(CVector(nan, 0, 0)));
    EXPECT_TRUE(CVector(nan, 0, 0).Compare(CVector(nan, 0, 0)));
}

TEST(SmoothingThreshold, AgreesWithAcosForEveryDotProductTried)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> anyDot(-1.001f, 1.001f);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    // Radians as the models compute them from degrees, plus odd ones.
    std::vector<float> thresholds = {0.0f, -1.0f, nan, inf, 1e-30f, 1e-6f, 3.1415925f, 3.1415927f, 3.141593f, 4.0f, 1e30f};
    for (float degrees : {0.001f, 1.0f, 30.0f, 59.0f, 89.5f, 90.0f, 90.5f, 135.0f, 179.9f, 179.999f, 180.0f, 180.001f})
        thresholds.push_back(degrees / 360.0f * 6.2831855f);

    for (float threshold : thresholds) {
        const SmoothingThreshold test(threshold);
        const auto check = [&](float dot) { ASSERT_EQ(test.Passes(dot), test.Exact(dot)) << threshold << " " << dot; };
        for (float dot : {-inf, -1.0000001f, -1.0f, -0.0f, 0.0f, 1.0f, 1.0000001f, inf, nan})
            check(dot);
        for (int i = 0; i < 200000; ++i)
            check(anyDot(random));
        // Every float near the cosine of the threshold, and near both ends of the range.
        for (float centre : {std::cos(threshold), -1.0f, 1.0f}) {
            if (!std::isfinite(centre))
                continue;
            float dot = centre;
            for (int i = 0; i < 300000; ++i)
                dot = std::nextafter(dot, -2.0f);
            for (int i = 0; i < 600000; ++i, dot = std::nextafter(dot, 2.0f))
                check(dot);
        }
    }
}

TEST(Normals, FlatGridCornersTakeTheFaceNormalAndAlwaysListTheirOwnFace)
{
    for (float angle : {59.0f, 0.0f}) {
        CModel model = MakeGrid(4);
        model.m_smoothingAngle = angle;
        ComputeNormals(model);
        for (std::size_t j = 0; j < model.m_faces.size(); ++j) {
            const CFace& face = model.m_faces[j];
            ExpectSameVector(face.m_normal, CVector(0, 1, 0), "face normal");
            for (const CNormal& corner : face.m_cornerNormals) {
                ExpectSameVector(corner, CVector(0, 1, 0), "corner normal");
                EXPECT_NE(std::find(corner.m_faces.begin(), corner.m_faces.end(), static_cast<std::int32_t>(j)),
                          corner.m_faces.end());
                if (angle == 0.0f) {
                    EXPECT_EQ(corner.m_faces.size(), 1u);
                }
            }
        }
        // The centre vertex of a 4 x 4 grid's middle is used by four faces.
        EXPECT_EQ(model.m_vertexNormals[5].m_faces, (std::vector<std::int32_t>{0, 1, 3, 4}));
        ExpectSameVector(model.m_vertexNormals[5], CVector(0, 1, 0), "vertex normal");
    }
}

TEST(Normals, RightAngleIsSmoothedOnlyAboveNinetyDegrees)
{
    // 89.5 degrees: pi/2 is not below the threshold, each face keeps its own normal.
    CModel sharp = MakeRightAngle(89.5f);
    ExpectSameVector(sharp.m_faces[0].m_normal, CVector(0, 0, 1), "first face");
    ExpectSameVector(sharp.m_faces[1].m_normal, CVector(-0.0f, 1, 0), "second face");
    EXPECT_EQ(sharp.m_faces[0].m_cornerNormals[0].m_faces, (std::vector<std::int32_t>{0}));
    ExpectSameVector(sharp.m_faces[0].m_cornerNormals[0], CVector(0, 0, 1), "sharp corner");
    ExpectSameVector(sharp.m_faces[1].m_cornerNormals[0], CVector(0, 1, 0), "sharp corner");

    // 90.5 degrees: the shared corners average both faces; the others do not.
    CModel smooth = MakeRightAngle(90.5f);
    const float half = static_cast<float>(1.0f / static_cast<float>(std::sqrt(2.0)));
    EXPECT_EQ(smooth.m_faces[0].m_cornerNormals[1].m_faces, (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(smooth.m_faces[1].m_cornerNormals[0].m_faces, (std::vector<std::int32_t>{0, 1}));
    ExpectSameVector(smooth.m_faces[0].m_cornerNormals[1], CVector(0, half, half), "smoothed corner");
    ExpectSameVector(smooth.m_faces[0].m_cornerNormals[2], CVector(0, 0, 1), "unshared corner");
}

TEST(Normals, DegenerateFacesAndLines)
{
    CModel model;
    model.m_smoothingAngle = 90.5f;
    // 0-1-2 collinear; 3-4-5 a proper triangle; the line 3-4 shares its vertices with it.
    model.m_vertices = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    model.m_faces = {MakeFace({0, 1, 2}), MakeFace({3, 4, 5}), MakeFace({3, 4})};
    ComputeNormals(model);
    ExpectSameVector(model.m_faces[0].m_normal, CVector(0, 0, 1), "collinear corners");
    ExpectSameVector(model.m_faces[1].m_normal, CVector(0, 0, 1), "triangle");
    // A line keeps the zero normal of a fresh face: 90 degrees from everything, so at 90.5
    // it is averaged in (adding nothing) and its own corners take the triangle's normal.
    ExpectSameVector(model.m_faces[2].m_normal, CVector(0, 0, 0), "line");
    EXPECT_EQ(model.m_faces[1].m_cornerNormals[0].m_faces, (std::vector<std::int32_t>{1, 2}));
    ExpectSameVector(model.m_faces[1].m_cornerNormals[0], CVector(0, 0, 1), "triangle corner");
    EXPECT_EQ(model.m_faces[2].m_cornerNormals[1].m_faces, (std::vector<std::int32_t>{1, 2}));
    ExpectSameVector(model.m_faces[2].m_cornerNormals[1], CVector(0, 0, 1), "line corner");

    // At 89.5 the line's corners list only the line itself: a zero sum gives (0, 0, 1).
    model.m_smoothingAngle = 89.5f;
    ComputeNormals(model);
    EXPECT_EQ(model.m_faces[2].m_cornerNormals[0].m_faces, (std::vector<std::int32_t>{2}));
    ExpectSameVector(model.m_faces[2].m_cornerNormals[0], CVector(0, 0, 1), "lone line corner");
}

TEST(Normals, VertexTakesTheCornerNormalOfTheLastFaceUsingIt)
{
    // Six separate triangles; vertex 20 is added to faces 2 and 5, which face different ways.
    CModel model;
    model.m_smoothingAngle = 10.0f;
    for (int f = 0; f < 6; ++f) {
        const float z = static_cast<float>(f);
        model.m_vertices.insert(model.m_vertices.end(), {{0, 0, z}, {1, 0, z}, {0, 1, z}});
        model.m_faces.push_back(MakeFace({3 * f, 3 * f + 1, 3 * f + 2}));
    }
    model.m_vertices.emplace_back(5, 5, 0);  // off the plane of face 5
    model.m_faces[2].m_indices.push_back(18);  // a quad 6, 7, 8, 18
    model.m_faces[5].m_indices = {15, 18, 17};   // vertex 16 unused from here on
    ComputeNormals(model);
    EXPECT_EQ(model.m_vertexNormals[18].m_faces, (std::vector<std::int32_t>{2, 5}));
    EXPECT_TRUE(model.m_faces[2].m_cornerNormals[3].Compare(model.m_faces[5].m_cornerNormals[1]));
    ExpectSameVector(model.m_vertexNormals[18], model.m_faces[5].m_cornerNormals[1], "last face wins");
    EXPECT_TRUE(model.m_vertexNormals[16].m_faces.empty());
}

TEST(Normals, MatchTheStepByStepComputationOnRandomModels)
{
    std::mt19937 random(1234);
    for (float angle : {0.0f, 1.0f, 20.0f, 45.0f, 59.0f, 89.5f, 90.0f, 90.5f, 120.0f, 179.9f, 180.0f, 200.0f}) {
        SCOPED_TRACE(angle);
        ExpectMatchesReference(MakeRandomModel(random, 12, angle));
    }
}

TEST(Normals, FacesNamingMissingVerticesAreLeftOut)
{
    CModel model = MakeRightAngle(90.5f);
    const CModel good = model;
    model.m_faces.push_back(MakeFace({0, 1, 6}));     // one past the last vertex
    model.m_faces.push_back(MakeFace({-1, 0, 1, 2}));  // negative
    model.m_faces.push_back(MakeFace({2, 3, 1000000}));
    ComputeNormals(model);
    for (std::size_t v = 0; v < good.m_vertices.size(); ++v) {
        EXPECT_EQ(model.m_vertexNormals[v].m_faces, good.m_vertexNormals[v].m_faces);
        ExpectSameVector(model.m_vertexNormals[v], good.m_vertexNormals[v], "vertex normal");
    }
    for (std::size_t j = 2; j < model.m_faces.size(); ++j) {
        ExpectSameVector(model.m_faces[j].m_normal, CVector(0, 0, 0), "skipped face");
        ASSERT_EQ(model.m_faces[j].m_cornerNormals.size(), model.m_faces[j].m_indices.size());
        for (const CNormal& corner : model.m_faces[j].m_cornerNormals) {
            EXPECT_TRUE(corner.m_faces.empty());
            ExpectSameVector(corner, CVector(0, 0, 1), "skipped corner");
        }
    }
}

TEST(Triangles, QuadrilateralSplitsIntoTwoTrianglesWithTheirUVs)
{
    CFace quad = MakeFace({10, 11, 12, 13});
    quad.m_material = 3;
    quad.m_normal = CVector(0, 1, 0);
    quad.m_normal.m_boneIndex = 5;
    for (int i = 0; i < 4; ++i)
        quad.m_uvs.push_back(CUV{static_cast<float>(i) / 4, static_cast<float>(i)});

    CFace scratch;
    scratch.m_cornerNormals.resize(2);
    const CFace first = scratch.MakeFirstTriangle(quad);
    EXPECT_EQ(first.m_indices, (std::vector<std::int32_t>{10, 11, 12}));
    ASSERT_EQ(first.m_uvs.size(), 3u);
    EXPECT_EQ(first.m_uvs[2].m_v, 2.0f);
    EXPECT_EQ(first.m_material, 3);
    EXPECT_EQ(first.m_normal.m_boneIndex, 5);
    EXPECT_EQ(first.m_cornerNormals.size(), 2u);  // left as this face had them

    const CFace second = scratch.MakeSecondTriangle(quad);
    EXPECT_EQ(second.m_indices, (std::vector<std::int32_t>{10, 12, 13}));
    ASSERT_EQ(second.m_uvs.size(), 3u);
    EXPECT_EQ(second.m_uvs[0].m_v, 0.0f);
    EXPECT_EQ(second.m_uvs[1].m_v, 2.0f);
    EXPECT_EQ(second.m_uvs[2].m_v, 3.0f);
    EXPECT_EQ(scratch.m_indices, second.m_indices);

    // Without UVs, none; a source short of corners gives only those it has.
    quad.m_uvs.clear();
    EXPECT_TRUE(scratch.MakeSecondTriangle(quad).m_uvs.empty());
    EXPECT_EQ(CFace().MakeSecondTriangle(MakeFace({1, 2, 3})).m_indices, (std::vector<std::int32_t>{1, 3}));
}

TEST(Triangles, TriangulateKeepsTrianglesSplitsQuadsAndDropsTheRest)
{
    CModel source;
    source.m_faces = {MakeFace({0, 1, 2}), MakeFace({0, 1}), MakeFace({0, 1, 2, 3}), MakeFace({0, 1, 2, 3, 4}),
                      MakeFace({4, 5, 6})};
    source.m_faces[0].m_cornerNormals.resize(3);
    CModel target;
    target.m_faces = {MakeFace({9, 9, 9})};
    target.TriangulateFrom(source);
    ASSERT_EQ(target.m_faces.size(), 4u);
    EXPECT_EQ(target.m_faces[0].m_cornerNormals.size(), 3u);  // copied whole
    EXPECT_EQ(target.m_faces[1].m_indices, (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(target.m_faces[2].m_indices, (std::vector<std::int32_t>{0, 2, 3}));
    EXPECT_TRUE(target.m_faces[2].m_cornerNormals.empty());
    EXPECT_EQ(target.m_faces[3].m_indices, (std::vector<std::int32_t>{4, 5, 6}));

    source.TriangulateFrom(source);  // in place
    EXPECT_EQ(source.m_faces.size(), 4u);
}
