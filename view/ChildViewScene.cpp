#include "view/ChildView.h"

#include "assets/ArtPath.h"
#include "scene/SGBox.h"
#include "scene/SGComposite.h"
#include "scene/SGMesh.h"
#include "scene/SGPolygon.h"
#include "scene/SGRotationTranslation.h"
#include "scene/SGTexture.h"
#include "scene/SGdravoCylinder.h"
#include "view/BoardMarks.h"

namespace
{
CSGVec4 Point(double x, double y, double z, double w = 1.0)
{
    return CSGVec4{x, y, z, w};
}

CSGVec4 TexCoord(double s, double t)
{
    return CSGVec4{s, t, 0.0, 1.0};
}
} // namespace

void CChildView::BuildScene()
{
    m_chipsNode = new CSGComposite;
    m_hintsNode = new CSGComposite;

    auto* root = new CSGRotationTranslation;
    auto* board = new CSGRotationTranslation;
    CSGPtr rootPtr(root);
    CSGPtr boardPtr(board);
    root->SetRotation(0.0, 0.0, 1.0, 0.0);
    board->SetTranslation(-4.0, 0.25, -4.0);
    root->AddChild(boardPtr);
    m_root = rootPtr;
    m_rootRotation = rootPtr;
    m_boardNode = boardPtr;

    // Each reader reports its own missing file; the build goes on with an
    // empty mesh or texture. The reports come in this order: mesh, board, wood.
    auto* mesh = new CSGMesh;
    CSGPtr meshPtr(mesh);
    mesh->m_name = 1; // picking tells the board surface by this name
    mesh->LoadObj();
    mesh->ComputeNormals();

    auto* boardTexture = new CSGTexture;
    CSGPtr boardTexturePtr(boardTexture);
    boardTexture->m_image.LoadFile(ArtPath("board.bmp").c_str());
    mesh->m_texture = boardTexturePtr;

    auto* woodTexture = new CSGTexture;
    CSGPtr woodTexturePtr(woodTexture);
    woodTexture->m_image.LoadFile(ArtPath("wood02.bmp").c_str());

    auto* underside = new CSGPolygon;
    CSGPtr undersidePtr(underside);
    underside->m_vertices = {Point(0, -0.25, -0.25), Point(8, -0.25, -0.25), Point(8, -0.25, 8.25),
                             Point(0, -0.25, 8.25)};
    underside->m_normals = {Point(0, -1, 0, 0)};
    underside->m_texcoords = {TexCoord(0, 0), TexCoord(0.5, 0), TexCoord(0.5, 1), TexCoord(0, 1)};
    underside->m_texture = boardTexturePtr;

    auto* sideStrip = new CSGPolygon;
    CSGPtr sideStripPtr(sideStrip);
    sideStrip->m_vertices = {Point(0, -0.25, -0.25), Point(0, 0, -0.25), Point(8, 0, -0.25),
                             Point(8, -0.25, -0.25)};
    sideStrip->m_texcoords = {TexCoord(0, 0), TexCoord(0.2, 0), TexCoord(0.2, 0.1),
                              TexCoord(0, 0.1)};
    sideStrip->m_texture = woodTexturePtr;

    auto* rail = new CSGdravoCylinder(0.125, 8.0);
    CSGPtr railPtr(rail);
    auto* railTransform = new CSGRotationTranslation;
    CSGPtr railTransformPtr(railTransform);
    rail->SetTexture(woodTexturePtr);
    railTransform->SetRotation(90.0, 0.0, 1.0, 0.0);
    railTransform->AddChild(railPtr);
    railTransform->SetTranslation(0.0, 0.0, -0.125);

    // The two long sides are one strip and one rail, drawn twice: the second
    // time turned half round about the board's centre.
    auto* sideA = new CSGRotationTranslation;
    CSGPtr sideAPtr(sideA);
    auto* sideB = new CSGRotationTranslation;
    CSGPtr sideBPtr(sideB);
    sideA->AddChild(sideStripPtr);
    sideA->AddChild(railTransformPtr);
    sideB->SetRotation(180.0, 0.0, 1.0, 0.0);
    sideB->SetTranslation(8.0, 0.0, 8.0);
    sideB->AddChild(sideStripPtr);
    sideB->AddChild(railTransformPtr);

    auto* endBox = new CSGBox(8.5, 0.375, 0.25);
    CSGPtr endBoxPtr(endBox);
    auto* endA = new CSGRotationTranslation;
    CSGPtr endAPtr(endA);
    auto* endB = new CSGRotationTranslation;
    CSGPtr endBPtr(endB);
    endBox->m_texture = woodTexturePtr;
    endA->AddChild(endBoxPtr);
    endA->SetTranslation(0.0, -0.25, -0.25);
    endA->SetRotation(-90.0, 0.0, 1.0, 0.0);
    endB->AddChild(endBoxPtr);
    endB->SetTranslation(8.25, -0.25, -0.25);
    endB->SetRotation(-90.0, 0.0, 1.0, 0.0);

    board->AddChild(meshPtr);
    board->AddChild(undersidePtr);
    board->AddChild(sideStripPtr);
    board->AddChild(sideAPtr);
    board->AddChild(sideBPtr);
    board->AddChild(endAPtr);
    board->AddChild(endBPtr);
    board->AddChild(m_chipsNode);
    board->AddChild(m_hintsNode);
    // The last move's tint under the hint's frames.
    if (m_lastMoveMarks)
        board->AddChild(m_lastMoveMarks->Node());
    if (m_hintMarks)
        board->AddChild(m_hintMarks->Node());

    PlaceChips();
    // The local CSGPtrs let go here; every node lives on through its parents.
}
