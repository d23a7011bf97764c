#include "view/ChildView.h"

#include <cmath>

#include <wx/cursor.h>

#include "assets/ArtPath.h"
#include "scene/SGTexture.h"
#include "view/Analyst.h"
#include "view/BoardAnimator.h"
#include "view/BoardMarks.h"
#include "view/ClockKeeper.h"
#include "view/CommandIds.h"
#include "view/ComputerPlayer.h"
#include "view/HintFinder.h"
#include "view/Reviewer.h"

namespace
{
CSGPtr LoadChipTexture(const char* path)
{
    auto* texture = new CSGTexture;
    CSGPtr node(texture);
    // A missing file is reported by the reader; the chip is then untextured.
    texture->m_image.LoadFile(path);
    return node;
}
} // namespace

// The view's messages and commands, in the order the game has always listed
// them. Painting is the base class's (it calls OnGLDraw).
wxBEGIN_EVENT_TABLE(CChildView, COpenGLWnd)
    EVT_LEFT_DOWN(CChildView::OnLButtonDown)
    EVT_MOTION(CChildView::OnMouseMove)
    EVT_MENU(ViewCommand::NoSpin, CChildView::OnNoSpin)
    EVT_MENU(ViewCommand::CameraPanTilt, CChildView::OnCameraPanTilt)
    EVT_UPDATE_UI(ViewCommand::CameraPanTilt, CChildView::OnUpdateCameraPanTilt)
    EVT_MENU(ViewCommand::CameraPitchYaw, CChildView::OnCameraPitchYaw)
    EVT_UPDATE_UI(ViewCommand::CameraPitchYaw, CChildView::OnUpdateCameraPitchYaw)
    EVT_MENU(ViewCommand::CameraRollMove, CChildView::OnCameraRollMove)
    EVT_UPDATE_UI(ViewCommand::CameraRollMove, CChildView::OnUpdateCameraRollMove)
    EVT_MENU(ViewCommand::CameraDollyXY, CChildView::OnCameraDollyXY)
    EVT_UPDATE_UI(ViewCommand::CameraDollyXY, CChildView::OnUpdateCameraDollyXY)
    EVT_RIGHT_DOWN(CChildView::OnRButtonDown)
    EVT_LEFT_UP(CChildView::OnLButtonUp)
    EVT_MENU(ViewCommand::RedrawChips, CChildView::OnRedrawChips)
    EVT_MENU(ViewCommand::NewGame, CChildView::OnNewGame)
    EVT_MENU(ViewCommand::LoadGame, CChildView::OnLoadGame)
    EVT_MENU(ViewCommand::SaveGame, CChildView::OnSaveGame)
    EVT_MENU(ViewCommand::SaveGameAs, CChildView::OnSaveGameAs)
    EVT_MENU(ViewCommand::ResetCamera, CChildView::OnResetCamera)
    EVT_UPDATE_UI(ViewCommand::NoSpin, CChildView::OnUpdateNoSpin)
    EVT_MENU(ViewCommand::ComputerPlaysBlack, CChildView::OnComputerPlaysBlack)
    EVT_UPDATE_UI(ViewCommand::ComputerPlaysBlack, CChildView::OnUpdateComputerPlaysBlack)
    EVT_MENU(ViewCommand::ComputerPlaysRed, CChildView::OnComputerPlaysRed)
    EVT_UPDATE_UI(ViewCommand::ComputerPlaysRed, CChildView::OnUpdateComputerPlaysRed)
    EVT_MENU_RANGE(ViewCommand::LevelBeginner, ViewCommand::LevelExpert,
                   CChildView::OnComputerLevel)
    EVT_UPDATE_UI_RANGE(ViewCommand::LevelBeginner, ViewCommand::LevelExpert,
                        CChildView::OnUpdateComputerLevel)
    EVT_COMPUTER_MOVE_HANDLER(CChildView::OnComputerMove)
    EVT_MENU(ViewCommand::UndoMove, CChildView::OnUndoMove)
    EVT_UPDATE_UI(ViewCommand::UndoMove, CChildView::OnUpdateUndoMove)
    EVT_MENU(ViewCommand::RedoMove, CChildView::OnRedoMove)
    EVT_UPDATE_UI(ViewCommand::RedoMove, CChildView::OnUpdateRedoMove)
    EVT_MENU(ViewCommand::CopyGame, CChildView::OnCopyGame)
    EVT_MENU(ViewCommand::PasteGame, CChildView::OnPasteGame)
    EVT_MENU(ViewCommand::ClaimDraw, CChildView::OnClaimDraw)
    EVT_UPDATE_UI(ViewCommand::ClaimDraw, CChildView::OnUpdateClaimDraw)
    EVT_MENU(ViewCommand::OfferDraw, CChildView::OnOfferDraw)
    EVT_UPDATE_UI(ViewCommand::OfferDraw, CChildView::OnUpdateOfferDraw)
    EVT_MENU(ViewCommand::Resign, CChildView::OnResign)
    EVT_UPDATE_UI(ViewCommand::Resign, CChildView::OnUpdateResign)
    EVT_MENU_RANGE(ViewCommand::TimeControlFirst, ViewCommand::TimeControlLast,
                   CChildView::OnTimeControl)
    EVT_UPDATE_UI_RANGE(ViewCommand::TimeControlFirst, ViewCommand::TimeControlLast,
                        CChildView::OnUpdateTimeControl)
    EVT_MENU(ViewCommand::Hint, CChildView::OnHint)
    EVT_UPDATE_UI(ViewCommand::Hint, CChildView::OnUpdateHint)
    EVT_MENU(ViewCommand::ReviewGame, CChildView::OnReviewGame)
    EVT_UPDATE_UI(ViewCommand::ReviewGame, CChildView::OnUpdateReviewGame)
    EVT_MENU(ViewCommand::ShowLastMove, CChildView::OnShowLastMove)
    EVT_UPDATE_UI(ViewCommand::ShowLastMove, CChildView::OnUpdateShowLastMove)
    EVT_HINT_FOUND_HANDLER(CChildView::OnHintFound)
    EVT_ANALYSIS_INFO_HANDLER(CChildView::OnAnalysisInfo)
    EVT_COMPUTER_INFO_HANDLER(CChildView::OnComputerInfo)
    EVT_REVIEW_NEWS_HANDLER(CChildView::OnReviewNews)
    EVT_IDLE(CChildView::OnIdle)
wxEND_EVENT_TABLE()

CChildView::CChildView()
{
    // Before the window exists: the visual is chosen when it is created.
    m_doublebuffer = true;

    PlaceCamera(true);
    m_camera.m_mode = CGrCamera::PitchYaw;
    m_animator = std::make_unique<CBoardAnimator>(*this);
    m_animator->SetIdleHandler([this] { OnBoardReady(); });
    m_clocks = std::make_unique<CClockKeeper>([this](std::int32_t side)
                                              { EndGameBy(LostBy(GameEndKind::Time, side)); });
    // Slides and camera turns never cost a player time.
    m_animator->SetBusyHandler([this] { m_clocks->Pause(); });

    m_sceneAngle = 90.0;
    for (double v = 0.5; v < 8.0; v += 1.0)
        m_squarePos[static_cast<int>(std::floor(v))] = v;
    for (CSGPtr& chip : m_chipNodes)
        chip.reset();

    m_blackChipTexture = LoadChipTexture(ArtPath("black-chip.bmp").c_str());
    m_redChipTexture = LoadChipTexture(ArtPath("red-chip.bmp").c_str());
    m_hintMarks = std::make_unique<CBoardMarks>(CBoardMarks::kHint);
    m_lastMoveMarks = std::make_unique<CBoardMarks>(CBoardMarks::kLastMove);

    BuildScene();

    m_pickingChip = true;
    m_jumpPending = false;
    m_noSpin = false;
    m_captureTurn = false;
    m_facingSide0 = true;
}

CChildView::~CChildView()
{
    // The searches stop and their threads end before anything they could
    // reach goes; no frame plays once the scene starts going.
    m_computer.reset();
    m_clocks.reset();
    m_hintFinder.reset();
    m_analyst.reset();
    m_reviewer.reset();
    if (m_reviewProgress)
        m_reviewProgress->Dismiss();
    m_animator.reset();
    // Chips first, so that every chip subtree goes with its last holder
    // (m_chipsNode) rather than lingering until the table is destroyed.
    for (CSGPtr& chip : m_chipNodes)
        chip.reset();
    m_selectedChip.reset();
    for (CSGPtr& shape : m_chipShapes)
        shape.reset();
    m_redChipTexture.reset();
    m_blackChipTexture.reset();
    m_hintsNode.reset();
    m_hintMarks.reset();
    m_lastMoveMarks.reset();
    m_chipsNode.reset();
    m_boardNode.reset();
    m_root.reset();
    m_rootRotation.reset();
}

void CChildView::PlaceCamera(bool side0)
{
    // Side 0's end of the board: row 0 lies nearest to +X.
    m_camera.m_eye = {side0 ? 20.0 : -20.0, 12.0, 0.0};
    m_camera.m_center = {0.0, 0.0, 0.0};
    m_camera.m_up = {0.0, 1.0, 0.0};
    m_camera.ComputeFrame();
}

bool CChildView::BoardIsReady() const
{
    return m_animator->IsIdle();
}

void CChildView::OnBoardReady()
{
    StartComputerIfItsTurn();
}

bool CChildView::DoCreateWindow(wxWindow* parent, const wxGLAttributes& attributes, wxWindowID id,
                                const wxPoint& pos, const wxSize& size, long style)
{
    style &= ~wxBORDER_MASK;
    style |= wxCLIP_CHILDREN | wxBORDER_SUNKEN;
    if (!COpenGLWnd::DoCreateWindow(parent, attributes, id, pos, size, style))
        return false;
    SetCursor(wxCursor(wxCURSOR_ARROW));
    return true;
}
