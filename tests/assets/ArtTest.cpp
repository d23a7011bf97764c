#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

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

// Mesh and texture together are checked square by square in the rendered
// frame; what a frame cannot show is a corner naming another vertex's normal.
TEST(Art, BoardCornersNameTheirOwnVertexNormal)
{
    std::ifstream in("res/board.obj");
    int corners = 0;
    for (std::string line, key; std::getline(in, line);)
    {
        std::istringstream words(line);
        if (!(words >> key) || key != "f")
            continue;
        int vertex, texcoord, normal;
        char slash;
        for (; words >> vertex >> slash >> texcoord >> slash >> normal; ++corners)
            ASSERT_EQ(normal, vertex) << line;
    }
    EXPECT_GT(corners, 0);
}
