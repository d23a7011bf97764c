#pragma once
// What both cylinders share: the angle constants and the side strip.

#include "scene/SGPtr.h"
#include "scene/SGVec4.h"

#include <vector>

// The loops accumulate these exact doubles; the face counts depend on it.
inline constexpr double kSGStep = 0.06283185307179587; // nearest to 2π/100
inline constexpr double kSGTwoPi = 6.283185307179586;
inline constexpr double kSGPi = 3.141592653589793;

// Appends to `faces` a new CSGPolygon: the strip of the cylinder of radius r
// and height h between the angles a and a + s, with one normal through the
// middle of the strip and the texture coordinates t[0..3] at its corners
// (bottom at a, bottom at a + s, top at a + s, top at a).
void AddSGSideFace(std::vector<CSGPtr>& faces, double r, double h, double s, double a,
                   const CSGVec4 (&t)[4]);
