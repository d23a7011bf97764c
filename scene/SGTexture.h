#pragma once
// Texture node: switches 2D texturing on and binds its image. Whoever draws
// it switches texturing off after its own geometry.

#include "assets/Texture.h"
#include "scene/SGNode.h"

class CSGTexture : public CSGNode
{
public:
    // Enables GL_TEXTURE_2D in modulate mode and binds the image's texture
    // object, made on the first draw (name 0 when the image failed to load).
    void Render() override;

    CTexture m_image; // loaded by the owner right after construction
};
