#pragma once
// Indexed triangle mesh drawn under its own material: the board.

#include "scene/SGNodeObject.h"
#include "scene/SGPtr.h"
#include "scene/SGVec4.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <vector>

class CSGMesh : public CSGNodeObject
{
public:
    // One triangle corner: zero-based indices into the three arrays.
    struct Corner
    {
        std::int32_t vertex = 0;
        std::int32_t normal = 0;
        std::int32_t texcoord = 0;

        bool operator==(const Corner&) const = default;
    };

    // Reads the board mesh, board.obj of the art folder (ArtPath; see the stream overload). A file
    // that cannot be opened is reported as "File not found" and leaves the mesh unchanged.
    void LoadObj();
    // Appends the v, vn, vt and f lines of an OBJ text; other lines are
    // skipped. A line whose numbers do not read, and a face whose first three
    // corners are not all full v/vt/vn triples of positive indices inside the
    // arrays (as they stand at the end of the text), add nothing.
    void LoadObj(std::istream& in);
    // Replaces m_normals by one smooth normal per vertex (w = 0): the
    // normalised sum of the unit normals of the triangles using it. Zero-area
    // triangles add nothing; a vertex left without a direction gets (0, 1, 0).
    void ComputeNormals();

    // Applies the material, draws the texture and every triangle under the
    // selection name, then restores the material. A triangle with an index
    // outside the arrays is not drawn.
    void Render() override;
    void Select(CSGSelection& selection) override;

    // True when the three corners from `first` on exist and index inside the
    // arrays (the texture index only counts while there are texture
    // coordinates): the triangle can be drawn without reading outside.
    bool CornersInRange(std::size_t first) const
    {
        if (first + 3 > m_corners.size())
            return false;
        for (std::size_t i = first; i < first + 3; ++i)
        {
            const Corner& c = m_corners[i];
            if (!InRange(c.vertex, m_vertices) || !InRange(c.normal, m_normals))
                return false;
            if (!m_texcoords.empty() && !InRange(c.texcoord, m_texcoords))
                return false;
        }
        return true;
    }

    std::vector<CSGVec4> m_vertices;
    std::vector<CSGVec4> m_normals;
    std::vector<CSGVec4> m_texcoords; // (s, t, 0, 1); may be empty
    std::vector<Corner> m_corners;    // corners 3k, 3k+1, 3k+2 form triangle k
    CSGPtr m_texture;                 // released before the arrays
    std::int32_t m_name = -1;         // -1: drawn under no selection name

private:
    static bool InRange(std::int32_t index, const std::vector<CSGVec4>& array)
    {
        return index >= 0 && static_cast<std::size_t>(index) < array.size();
    }
};
