#pragma once
// The board view: the one OpenGL window of the game. It owns the game state
// (board record, camera), the scene graph that pictures it, the picking
// state and the flags that drive move handling and the camera turn.
//
// Fields are public, as the scene nodes' are: the view's own handlers share
// them, and tests read them directly.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <wx/event.h>
#include <wx/gdicmn.h>
#include <wx/weakref.h>

#include "camera/GrCamera.h"
#include "engine/SearchTypes.h"
#include "glwnd/OpenGLWnd.h"
#include "notation/NotatedMove.h"
#include "record/GameRecord.h"
#include "rules/CheckerBoard.h"
#include "savegame/GameFile.h"
#include "scene/SGPtr.h"
#include "view/ReviewProgress.h"

class CAnalyst;
class CBoardAnimator;
class CClockKeeper;
class CBoardMarks;
class CComputerPlayer;
class CHintFinder;
class CReviewer;
class CSGCylinder;
struct AnalysisReport;
struct PdnTags;
class wxThreadEvent;

class CChildView : public COpenGLWnd
{
public:
    // Reads the two chip textures, then builds the scene (board mesh, board
    // and wood textures, the chips of the initial position). The working
    // directory must hold res/; a missing file is reported by its reader and
    // leaves an empty texture or mesh. No window exists until Create.
    CChildView();
    // Releases the scene fields in a fixed order (chips first, root last).
    ~CChildView() override;

    // --- Scene (ChildViewScene.cpp) ---
    // Builds the whole graph once and ends with PlaceChips. Needs the chip
    // textures in place and m_board holding the position to show.
    void BuildScene();

    // --- Drawing and the camera turn (ChildViewDraw.cpp) ---
    // One frame: clear, projection, DrawScene(false).
    void OnGLDraw(wxDC* dc) override;
    // Draws the scene into whatever projection the caller loaded (identity,
    // or a pick matrix). With picking false it records viewport and matrices
    // for picking; with picking true it records nothing. Draws nothing while
    // the client area has no height.
    void DrawScene(bool picking);
    // The picking pass: the hit records that DrawScene(true) would leave in
    // a selection buffer of buffer.size() entries under a pick region of
    // `region` pixels square centred on window point (x, y) (rows counted
    // from the bottom), computed on the CPU without touching GL. The last
    // frame's viewport is the window's. Returns the number of records, -1
    // when they overflow the buffer, 0 before the first frame.
    int SelectScene(double x, double y, double region, std::vector<std::uint32_t>& buffer);
    // Queues a turn of the camera by 180 degrees about the look-at point in
    // 90 frames, which happens if, when its turn comes, the camera is not at
    // the end of the side it belongs to (CameraSide) and "No Spin" is off;
    // after it the view records which end the camera faces.
    void SpinCamera();
    // The same turn; with `always`, whichever end the camera stands at (the
    // circling at the end of a game).
    void QueueHalfTurn(bool always);
    void OnNoSpin(wxCommandEvent& event);
    void OnUpdateNoSpin(wxUpdateUIEvent& event);
    // View > Reset Camera: the camera where a game starts it, at the end it
    // faces, after any animation has jumped to its end.
    void OnResetCamera(wxCommandEvent& event);
    // Puts the camera at its starting place at side 0's end of the board, or
    // at the other end, looking at the centre.
    void PlaceCamera(bool side0);

    // --- Picking and mouse input (ChildViewInput.cpp) ---
    void OnLButtonDown(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnRButtonDown(wxMouseEvent& event);
    void OnCameraPanTilt(wxCommandEvent& event);
    void OnUpdateCameraPanTilt(wxUpdateUIEvent& event);
    void OnCameraPitchYaw(wxCommandEvent& event);
    void OnUpdateCameraPitchYaw(wxUpdateUIEvent& event);
    void OnCameraRollMove(wxCommandEvent& event);
    void OnUpdateCameraRollMove(wxUpdateUIEvent& event);
    void OnCameraDollyXY(wxCommandEvent& event);
    void OnUpdateCameraDollyXY(wxUpdateUIEvent& event);
    // The work of the mouse handlers; tests call these. Picking takes
    // physical client pixels (the wx handler converts with ToPhysical),
    // camera drags logical ones, as the events carry them.
    void LButtonDown(wxPoint physical);
    void RButtonDown(wxPoint logical);
    void MouseMove(wxPoint logical, bool rightDown);

    // --- Move handling (ChildViewMoves.cpp) ---
    void OnLButtonUp(wxMouseEvent& event);
    // The release: tries the chosen move unless the board is the computer's.
    void LButtonUp();
    // Carries out the move chosen in m_fromX.. m_toZ: the board record and
    // the move input change at once, and the slide, the chips and the camera
    // turns are queued on the animator; a computer's move comes this way too.
    // If the computer is to move next, it starts thinking once they are done.
    void TryChosenMove();
    // Queues the slide of the chosen chip toward its destination, 50 frames.
    void AnimateMove();
    // True when no animation is playing or queued: the picture shows the
    // board as it is, and the board takes moves again.
    bool BoardIsReady() const;
    // Called each time the animations have all ended (the animator's idle
    // signal): the side to move's clock runs and the computer starts
    // thinking if it is its turn.
    void OnBoardReady();
    // Ends the game by `end` at the record's place, a capture half made
    // taken back first: the computer stops, the clocks stop, and the camera
    // circles the board as at any end. Nothing when the game is over.
    void EndGameBy(const GameEnd& end);
    // The five turns around the board that end a game, "No Spin" unchecked.
    void CircleTheBoard();
    // The move input at its start: no chip chosen, no capture under way,
    // no highlight, no refusal shown. Does not repaint.
    void ForgetMoveInput();
    // A move is being tried by the side to move whose time has run out
    // (the clock's timer has not said so yet): the game ends on time
    // instead, and true is returned.
    bool FlagFell();

    // --- Game commands (ChildViewChips.cpp, ChildViewCommands.cpp) ---
    void OnRedrawChips(wxCommandEvent& event);
    // New Game, Load Game and Paste Game ask first whether to save a game
    // with unsaved moves, and do nothing if the player cancels.
    void OnNewGame(wxCommandEvent& event);
    void OnLoadGame(wxCommandEvent& event);
    // Save Game writes to the game's file without asking when it may
    // (CGameFile::SavePath), else as Save Game As; Save Game As asks for the
    // file.
    void OnSaveGame(wxCommandEvent& event);
    void OnSaveGameAs(wxCommandEvent& event);
    // Writes the game to `path` ("": the player chooses); true when saved.
    bool SaveGame(const std::string& path);
    // For a game with unsaved moves, asks `question` ("Save the game before
    // ...?") with Save, Don't Save and Cancel. True when the game may go:
    // nothing to save, saved, or not wanted.
    bool SaveChangesFirst(const std::string& question);
    // Before the window closes: animations put at their end, then the save
    // question; false when the player cancels. On true the computer stops.
    bool MayClose();

    // --- Draws, resigning and clocks (ChildViewCommands.cpp) ---
    // Edit > Claim Draw: enabled when PlayerMayClaim says so.
    void OnClaimDraw(wxCommandEvent& event);
    void OnUpdateClaimDraw(wxUpdateUIEvent& event);
    // Edit > Offer Draw: the computer judges the position on its worker and
    // accepts or declines (OnComputerMove hears its answer).
    void OnOfferDraw(wxCommandEvent& event);
    void OnUpdateOfferDraw(wxUpdateUIEvent& event);
    // Edit > Resign: the side to move resigns, once the player confirms.
    void OnResign(wxCommandEvent& event);
    void OnUpdateResign(wxUpdateUIEvent& event);
    // Options > Time Control: the clocks of the next new game.
    void OnTimeControl(wxCommandEvent& event);
    void OnUpdateTimeControl(wxUpdateUIEvent& event);
    // The draw the player to move may claim now: the record's, while the
    // board is a player's and no capture is half made.
    std::optional<GameEndKind> PlayerMayClaim() const;
    // The player to move may offer the computer a draw: it plays the other
    // side, the game goes on and no capture is half made.
    bool MayOfferDraw() const;
    // The side to move is a player's and the game goes on.
    bool MayResign() const;
    // The game is played on clocks and is not over: undo, redo and the move
    // list's clicks wait for its end.
    bool ClocksRun() const;

    // --- The computer opponent (ChildViewComputer.cpp) ---
    void OnComputerPlaysBlack(wxCommandEvent& event);
    void OnUpdateComputerPlaysBlack(wxUpdateUIEvent& event);
    void OnComputerPlaysRed(wxCommandEvent& event);
    void OnUpdateComputerPlaysRed(wxUpdateUIEvent& event);
    void OnComputerLevel(wxCommandEvent& event);
    void OnUpdateComputerLevel(wxUpdateUIEvent& event);
    // The worker's answer; a stale one (its search was cancelled) is dropped.
    void OnComputerMove(wxThreadEvent& event);
    // Starts the computer thinking when the side to move is its and the game
    // is not over, unless a capture of the player's is half made.
    void StartComputerIfItsTurn();
    // Stops the computer thinking; no move of that search will land.
    void CancelComputer();
    // The computer to move, where a draw may be claimed and `score` and
    // `winMoves` (its search's, for itself) say it cannot win, claims it;
    // true when it did.
    bool ComputerClaims(int score, int winMoves);
    // Plays `move` (legal on m_board) as a player's clicks would: each jump
    // chosen and carried out in turn.
    void PlayComputerMove(const NotatedMove& move);
    // True while the board is not the player's to click: the computer is
    // thinking, or it is to move (and no capture of the player's is half made).
    bool BoardIsTheComputers() const;
    // The side whose end the camera stands at: the player's when the
    // computer plays the other side, else the side to move.
    std::int32_t CameraSide() const;

    // What the status bar's message pane should say now; "" for its idle text.
    std::string StatusText() const;

    // --- Hint, analysis, review and the last move (ChildViewComputer.cpp) ---
    // Analysis > Hint: the engine's move for the side to move, searched on a
    // worker; its squares are marked until the next click, move, undo or
    // new game. Greyed while the computer thinks or is to move, when the
    // game is over, while a capture is half made and during a review.
    void OnHint(wxCommandEvent& event);
    void OnUpdateHint(wxUpdateUIEvent& event);
    // Analysis > Review Game: every position of the game up to its place
    // searched in turn under a progress box; then the moves get their
    // evaluations and marks, and EVT_GAME_REVIEWED goes up to the frame.
    // While it runs the board takes no moves and the computer waits; any
    // change to the game stops it, and so does the box's Cancel.
    void OnReviewGame(wxCommandEvent& event);
    void OnUpdateReviewGame(wxUpdateUIEvent& event);
    // View > Show Last Move: the last move's from and to squares marked.
    void OnShowLastMove(wxCommandEvent& event);
    void OnUpdateShowLastMove(wxUpdateUIEvent& event);
    // The workers' answers; stale ones (for a position the game has left,
    // or from a search stopped since) are dropped.
    void OnHintFound(wxThreadEvent& event);
    void OnAnalysisInfo(wxThreadEvent& event);
    void OnComputerInfo(wxThreadEvent& event);
    void OnReviewNews(wxThreadEvent& event);
    void OnIdle(wxIdleEvent& event);
    // The analysis pane is shown (analysis runs) or hidden (it stops, and
    // no search is left using time).
    void SetAnalysisShown(bool shown);
    // What the analysis pane shows: always about the game at its place.
    AnalysisReport AnalysisShown() const;
    // Brings the hint, the analysis, a review under way and the last move's
    // marks in step with the game: called after every change to it, and
    // from the idle event for the changes the computer makes.
    void FollowGame();
    // Takes the hint off the board and stops its search.
    void DismissHint();
    // Stops a review under way; nothing of it reaches the game.
    void CancelReview();
    bool IsReviewing() const;

    // --- The game's record (ChildViewRecord.cpp) ---
    // Undo takes back the last move (with the computer in the game, the
    // player's last move and the computer's reply); redo plays it again. Both
    // stop a search under way. A capture half made is taken back first.
    void OnUndoMove(wxCommandEvent& event);
    void OnUpdateUndoMove(wxUpdateUIEvent& event);
    void OnRedoMove(wxCommandEvent& event);
    void OnUpdateRedoMove(wxUpdateUIEvent& event);
    // The game as PDN text on the clipboard, and back.
    void OnCopyGame(wxCommandEvent& event);
    void OnPasteGame(wxCommandEvent& event);
    // Takes the game to just after its first `count` moves (the move list's
    // clicks come here). If the computer is to move there, it moves.
    void GoToMove(std::size_t count);
    // Undo and redo: GoToMove, except that against the computer the game
    // rests only where the player is to move.
    void TakeBackOrReplay(std::size_t count);
    // Shows the record's board at `place`: chips, captured rows, the camera
    // at its side, the move input at its start; the computer starts if it
    // is to move.
    void ShowPlace(std::size_t place);
    // Sets up the game `record` holds, as Load Game does.
    void TakeRecord(const CGameRecord& record);
    // Who played each side and when, for a PDN game.
    PdnTags GameTags() const;

    // --- Chips and hints (ChildViewChips.cpp) ---
    // Throws away every chip node and builds the chips of m_board again,
    // with the captured chips in rows beside the board. Builds nothing while
    // m_boardNode is null. Does not repaint.
    void PlaceChips();
    // The same for `board`: the picture of a board the game has since gone
    // past (the jumps of a capture, shown one after the other).
    void PlaceChipsOf(const CCheckerBoard& board);
    // Highlights the square centred on (m_squarePos[xIndex], m_squarePos[zIndex])
    // of the board node and repaints; indices 0..7. Nothing without m_hintsNode.
    void ShowHints(int xIndex, int zIndex);
    // Removes every highlight; does not repaint.
    void ClearHints();
    // A new chip cylinder, a man's or a king's height, drawing the faces of
    // the first one built of that size (m_chipShapes) instead of its own.
    CSGCylinder* NewChipCylinder(bool king);

    // Fields in their declared order; construction and destruction follow it.
    CGrCamera m_camera;
    double m_sceneAngle = 90.0; // degrees about +Y, written into the root each frame
    CSGPtr m_rootRotation;      // the root again, to set its rotation
    bool m_facingSide0 = true;  // the camera stands at side 0's end
    bool m_jumpPending = false; // the piece that just captured must capture again
    bool m_captureTurn = false; // the side to move had a capture at the last move
    bool m_noSpin = false;      // Options > "No Spin" is checked
    std::int32_t m_pickName = -1;
    double m_pickDepth = 0.0;
    CSGPtr m_root;
    CSGPtr m_boardNode;
    CSGPtr m_chipsNode;
    CSGPtr m_hintsNode;
    CSGPtr m_blackChipTexture;
    CSGPtr m_redChipTexture;
    double m_squarePos[8] = {};
    double m_projection[16] = {}; // as the last normal frame left them
    double m_modelview[16] = {};
    std::int32_t m_viewport[4] = {};
    bool m_pickingChip = true; // the next left press chooses a chip
    std::int32_t m_fromX = -1; // grid square of the chosen chip
    std::int32_t m_fromZ = -1;
    std::int32_t m_toX = -1; // grid square of the destination
    std::int32_t m_toZ = -1;
    CSGPtr m_selectedChip;
    CSGPtr m_chipNodes[64]; // entry 8 * B + (7 - A) for grid square (A, B)
    CSGPtr m_chipShapes[2]; // a man's and a king's cylinder, whose faces every chip draws
    CCheckerBoard m_board;
    CGameRecord m_record;   // the whole moves played; m_board is its board but mid-capture
    CGameFile m_gameFile;   // the game's file and whether it holds every move
    NotatedMove m_movePath; // the jumps of a capture under way
    // Until the next chip is chosen: why the last move was refused, or that
    // the computer declined a draw.
    std::string m_refusal;
    bool m_computerPlays[2] = {false, false}; // by side: Options > "Computer Plays ..."
    EngineLevel m_computerLevel = kDefaultLevel;
    // Plays the slides and camera turns frame by frame; made with the view.
    std::unique_ptr<CBoardAnimator> m_animator;
    // The game's clocks and the time control of the next game.
    std::unique_ptr<CClockKeeper> m_clocks;
    std::uint64_t m_drawOffer = 0;         // the computer's search judging a draw offered; 0: none
    bool m_analysisShown = false;          // the frame's analysis pane is shown
    bool m_showLastMove = false;           // View > "Show Last Move" is checked
    std::string m_hintText;                // "Hint: 11-15" while a hint is marked
    std::vector<CCheckerBoard> m_hintGame; // the game the hint is for
    std::vector<CCheckerBoard> m_reviewGame; // the game under review
    // While a review runs; the frame's child, so it may go before the view.
    wxWeakRef<CReviewProgress> m_reviewProgress;
    // Their nodes lie under the board node; made with the view.
    std::unique_ptr<CBoardMarks> m_hintMarks;
    std::unique_ptr<CBoardMarks> m_lastMoveMarks;
    // Made when first needed; stopped before the view goes.
    std::unique_ptr<CHintFinder> m_hintFinder;
    std::unique_ptr<CAnalyst> m_analyst;
    std::unique_ptr<CReviewer> m_reviewer;
    // Made when first needed; last, so that it is gone (its thread stopped)
    // before anything it could answer to.
    std::unique_ptr<CComputerPlayer> m_computer;

protected:
    // Adds what the board view's window needs to the style the frame asks
    // for: clip children, a sunken client edge instead of a plain border,
    // and the arrow cursor.
    bool DoCreateWindow(wxWindow* parent, const wxGLAttributes& attributes, wxWindowID id,
                        const wxPoint& pos, const wxSize& size, long style) override;

    wxDECLARE_EVENT_TABLE();
};
