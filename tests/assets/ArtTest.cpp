#include "assets/Texture.h"

#include "AssetTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <sstream>

using namespace assettest;

namespace
{

const char* const kArtFiles[] = {"board.obj", "board.bmp", "wood02.bmp", "red-chip.bmp",
                                 "black-chip.bmp"};
const char* const kImages[] = {"res/board.bmp", "res/wood02.bmp", "res/red-chip.bmp",
                               "res/black-chip.bmp"};

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Corner
{
    int vertex, texcoord, normal; // zero-based
};

// Just enough of the mesh format to check the board file.
struct Mesh
{
    std::vector<std::array<double, 3>> vertices;
    std::vector<std::array<double, 2>> texcoords;
    std::size_t normals = 0;
    std::vector<std::array<Corner, 3>> triangles;
};

Mesh ReadMesh(const std::string& path)
{
    Mesh mesh;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
    {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "v")
        {
            auto& v = mesh.vertices.emplace_back();
            words >> v[0] >> v[1] >> v[2];
        }
        else if (key == "vt")
        {
            auto& t = mesh.texcoords.emplace_back();
            words >> t[0] >> t[1];
        }
        else if (key == "vn")
            ++mesh.normals;
        else if (key == "f")
        {
            auto& f = mesh.triangles.emplace_back();
            char slash;
            for (Corner& c : f)
            {
                words >> c.vertex >> slash >> c.texcoord >> slash >> c.normal;
                --c.vertex, --c.texcoord, --c.normal;
            }
            std::string extra;
            EXPECT_FALSE(words >> extra) << "a face with more than three corners: " << line;
        }
    }
    return mesh;
}

// The texture coordinate the mesh gives the surface point (x, z), found in
// the triangle that covers it; false when no triangle does.
bool TexcoordAt(const Mesh& mesh, double x, double z, std::array<double, 2>& st)
{
    for (const auto& f : mesh.triangles)
    {
        const auto& a = mesh.vertices[f[0].vertex];
        const auto& b = mesh.vertices[f[1].vertex];
        const auto& c = mesh.vertices[f[2].vertex];
        const double det = (b[0] - a[0]) * (c[2] - a[2]) - (c[0] - a[0]) * (b[2] - a[2]);
        const double u = ((x - a[0]) * (c[2] - a[2]) - (c[0] - a[0]) * (z - a[2])) / det;
        const double v = ((b[0] - a[0]) * (z - a[2]) - (x - a[0]) * (b[2] - a[2])) / det;
        if (u < 0 || v < 0 || u + v > 1)
            continue;
        for (int k = 0; k < 2; ++k)
            st[k] = mesh.texcoords[f[0].texcoord][k] * (1 - u - v) +
                    mesh.texcoords[f[1].texcoord][k] * u + mesh.texcoords[f[2].texcoord][k] * v;
        return true;
    }
    return false;
}

// Mean of red, green and blue at texture coordinate (s, t), with repeat.
std::array<int, 3> Texel(const CTexture& image, double s, double t)
{
    auto wrap = [](double c, int size)
    { return static_cast<int>(std::floor((c - std::floor(c)) * size)) % size; };
    const std::uint8_t* p = image.m_rows[wrap(t, image.m_height)] + 3 * wrap(s, image.m_width);
    return {p[2], p[1], p[0]};
}

} // namespace

TEST(Art, GeneratorWritesExactlyTheCommittedFiles)
{
    TempFolder folder;
    const std::string command =
        std::string("\"") + PLAXEN_MAKEART + "\" \"" + folder.Path().string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* name : kArtFiles)
    {
        SCOPED_TRACE(name);
        const std::string made = Contents((folder.Path() / name).string());
        ASSERT_FALSE(made.empty());
        EXPECT_TRUE(made == Contents(std::string("res/") + name))
            << "res/ is out of date: rebuild the 'art' target";
    }
}

TEST(Art, ImagesLoadWithPowerOfTwoSizes)
{
    auto powerOfTwo = [](int n) { return n > 0 && (n & (n - 1)) == 0; };
    MessageLog log;
    for (const char* path : kImages)
    {
        SCOPED_TRACE(path);
        CTexture image;
        ASSERT_TRUE(image.LoadFile(path));
        EXPECT_TRUE(powerOfTwo(image.m_width) && powerOfTwo(image.m_height))
            << image.m_width << " x " << image.m_height;
    }
    EXPECT_TRUE(log.texts.empty());
}

TEST(Art, BoardMeshIsTheUpwardFacingPlayingSurface)
{
    const Mesh mesh = ReadMesh("res/board.obj");
    ASSERT_FALSE(mesh.triangles.empty());
    double area = 0;
    for (const auto& f : mesh.triangles)
    {
        for (const Corner& c : f)
        {
            // Smooth normals are stored per vertex, so the normal index must
            // name the vertex itself.
            ASSERT_EQ(c.normal, c.vertex);
            ASSERT_LT(static_cast<std::size_t>(c.vertex), mesh.vertices.size());
            ASSERT_LT(static_cast<std::size_t>(c.normal), mesh.normals);
            ASSERT_LT(static_cast<std::size_t>(c.texcoord), mesh.texcoords.size());
            const auto& p = mesh.vertices[c.vertex];
            EXPECT_EQ(p[1], 0.0);
            EXPECT_TRUE(p[0] >= 0 && p[0] <= 8 && p[2] >= 0 && p[2] <= 8);
        }
        const auto& a = mesh.vertices[f[0].vertex];
        const auto& b = mesh.vertices[f[1].vertex];
        const auto& c = mesh.vertices[f[2].vertex];
        // y of (b - a) x (c - a): positive when counter-clockwise from above.
        const double up = (b[2] - a[2]) * (c[0] - a[0]) - (b[0] - a[0]) * (c[2] - a[2]);
        EXPECT_GT(up, 0) << "a triangle faces down";
        area += up / 2;
    }
    EXPECT_DOUBLE_EQ(area, 64.0);
}

TEST(Art, EverySquareOfTheBoardShowsItsColour)
{
    const Mesh mesh = ReadMesh("res/board.obj");
    CTexture board;
    ASSERT_TRUE(board.LoadFile("res/board.bmp"));
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
        {
            const bool dark = (r - c) % 2 == 0;
            // The centre and points near the four corners of square (r, c).
            for (auto [dx, dz] :
                 {std::pair{0.5, 0.5}, {0.2, 0.2}, {0.8, 0.2}, {0.2, 0.8}, {0.8, 0.8}})
            {
                std::array<double, 2> st{};
                ASSERT_TRUE(TexcoordAt(mesh, c + dx, 7 - r + dz, st));
                const auto rgb = Texel(board, st[0], st[1]);
                const int light = (rgb[0] + rgb[1] + rgb[2]) / 3;
                EXPECT_EQ(light < 110, dark) << "square (" << r << ", " << c << ") shows " << rgb[0]
                                             << ", " << rgb[1] << ", " << rgb[2];
            }
        }
}

TEST(Art, ChipFacesAreRedAndDarkGreyAroundTheImageCorner)
{
    // The caps show the image about its corner out to 0.35 of its size.
    auto meanFace = [](const char* path)
    {
        CTexture chip;
        EXPECT_TRUE(chip.LoadFile(path));
        std::array<double, 3> sum{};
        int count = 0;
        for (double s = -0.34; s <= 0.34; s += 0.01)
            for (double t = -0.34; t <= 0.34; t += 0.01)
                if (s * s + t * t < 0.34 * 0.34)
                {
                    const auto rgb = Texel(chip, s, t);
                    for (int k = 0; k < 3; ++k)
                        sum[k] += rgb[k];
                    ++count;
                }
        for (double& v : sum)
            v /= count;
        return sum;
    };
    const auto red = meanFace("res/red-chip.bmp");
    EXPECT_GT(red[0], 120);
    EXPECT_GT(red[0], 4 * red[1]);
    const auto black = meanFace("res/black-chip.bmp");
    for (double v : black)
        EXPECT_TRUE(v > 40 && v < 100) << v; // dark, but lit it must still show
}
