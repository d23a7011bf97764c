#include "assets/Texture.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>

using testsupport::TempFolder;

TEST(Art, GeneratorWritesExactlyTheCommittedFiles)
{
    TempFolder folder;
    const std::string command = std::string("\"") + PLAXEN_MAKEART + "\" " + folder.path.string();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* name :
         {"board.obj", "board.bmp", "wood02.bmp", "red-chip.bmp", "black-chip.bmp"})
    {
        SCOPED_TRACE(name);
        const std::string made = TempFolder::Read(folder.path / name);
        ASSERT_FALSE(made.empty());
        EXPECT_TRUE(made == TempFolder::Read(std::filesystem::path("res") / name))
            << "res/ is out of date: build the 'art' target";
    }
}

TEST(Art, BoardMeshFacesUpAndEachSquareShowsItsColour)
{
    std::vector<std::array<double, 3>> v;
    std::vector<std::array<double, 2>> vt;
    std::ifstream in("res/board.obj");
    double area = 0;
    for (std::string line, key; std::getline(in, line);)
    {
        std::istringstream words(line);
        words >> key;
        if (key == "v")
            words >> v.emplace_back()[0] >> v.back()[1] >> v.back()[2];
        else if (key == "vt")
            words >> vt.emplace_back()[0] >> vt.back()[1];
        if (key != "f")
            continue;
        std::array<int, 3> corner[3];
        char slash;
        for (auto& [vertex, texcoord, normal] : corner)
        {
            ASSERT_TRUE(words >> vertex >> slash >> texcoord >> slash >> normal) << line;
            // Normals are smoothed per vertex: the corner must name its own.
            ASSERT_EQ(normal, vertex) << line;
            ASSERT_TRUE(vertex >= 1 && vertex <= int(v.size()) && texcoord >= 1 &&
                        texcoord <= int(vt.size()))
                << line;
            const auto& p = v[vertex - 1];
            EXPECT_EQ(p[1], 0.0);
            // The texture lies on the surface as (x / 8, z / 8).
            EXPECT_EQ(vt[texcoord - 1], (std::array{p[0] / 8, p[2] / 8})) << line;
        }
        const auto &a = v[corner[0][0] - 1], &b = v[corner[1][0] - 1], &c = v[corner[2][0] - 1];
        const double up = (b[2] - a[2]) * (c[0] - a[0]) - (b[0] - a[0]) * (c[2] - a[2]);
        EXPECT_GT(up, 0) << "seen from below: " << line; // y of (b - a) x (c - a)
        area += up / 2;
    }
    EXPECT_DOUBLE_EQ(area, 64.0); // the 8 x 8 field, each part covered once

    CTexture board;
    ASSERT_TRUE(board.LoadFile("res/board.bmp"));
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            for (double dx : {0.15, 0.5, 0.85})
                for (double dz : {0.15, 0.5, 0.85})
                {
                    // (x, z) = (c + dx, 7 - r + dz), at texture (x / 8, z / 8).
                    const std::uint8_t* p = board.m_rows[int((7 - r + dz) / 8 * board.m_height)] +
                                            3 * int((c + dx) / 8 * board.m_width);
                    EXPECT_EQ(p[0] + p[1] + p[2] < 330, (r - c) % 2 == 0)
                        << "square (" << r << ", " << c << ")";
                }
}
