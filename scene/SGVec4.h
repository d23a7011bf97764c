#pragma once
// Four doubles: a position (w = 1), a normal (x, y, z drawn) or a texture
// coordinate (s, t, 0, 1). The gl*dv calls are given &v.x.

struct CSGVec4
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 1.0;

    bool operator==(const CSGVec4&) const = default;
};

// glVertex3dv and friends read x, y, z as an array of doubles.
static_assert(sizeof(CSGVec4) == 4 * sizeof(double), "CSGVec4 must be four packed doubles");
