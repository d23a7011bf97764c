#include "view/ChildView.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/datetime.h>

#include "glwnd/MessageService.h"
#include "record/Pdn.h"
#include "view/BoardAnimator.h"
#include "view/ClockKeeper.h"

namespace
{
const char* const kPasteErrorText = "The clipboard holds no game that Plaxen can read.";
const char* const kPasteErrorCaption = "Error Pasting Game";
const char* const kSaveBeforePasting = "Save the game before pasting another?";

const char* LevelName(EngineLevel level)
{
    switch (level)
    {
    case EngineLevel::Beginner:
        return "Beginner";
    case EngineLevel::Intermediate:
        return "Intermediate";
    case EngineLevel::Expert:
        break;
    }
    return "Expert";
}
} // namespace

void CChildView::OnUndoMove(wxCommandEvent&)
{
    if (ClocksRun())
        return;
    m_animator->Finish(); // a capture's first jump still sliding is half made too
    if (m_jumpPending)
        ShowPlace(m_record.Place()); // the capture half made goes first
    else if (m_record.CanUndo())
        TakeBackOrReplay(m_record.Place() - 1);
}

void CChildView::OnUpdateUndoMove(wxUpdateUIEvent& event)
{
    event.Enable(!ClocksRun() && (m_record.CanUndo() || m_jumpPending));
}

void CChildView::OnRedoMove(wxCommandEvent&)
{
    if (ClocksRun())
        return;
    m_animator->Finish();
    if (m_record.CanRedo() && !m_jumpPending)
        TakeBackOrReplay(m_record.Place() + 1);
}

void CChildView::OnUpdateRedoMove(wxUpdateUIEvent& event)
{
    event.Enable(!ClocksRun() && m_record.CanRedo() && !m_jumpPending);
}

void CChildView::OnCopyGame(wxCommandEvent&)
{
    if (!wxTheClipboard->Open())
        return;
    wxTheClipboard->SetData(
        new wxTextDataObject(wxString::FromUTF8(WritePdn(m_record, GameTags()))));
    wxTheClipboard->Close();
}

void CChildView::OnPasteGame(wxCommandEvent&)
{
    wxTextDataObject text;
    if (wxTheClipboard->Open())
    {
        if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT))
            wxTheClipboard->GetData(text);
        wxTheClipboard->Close();
    }
    PdnProblem problem;
    const auto record = ReadPdn(text.GetText().utf8_string(), problem);
    if (!record)
    {
        CaptionedMessageBox(std::string(kPasteErrorText) + "\n\n" + DescribePdnProblem(problem),
                            kPasteErrorCaption, MB_OK);
        return;
    }
    m_animator->Finish();
    CancelComputer();
    m_clocks->Pause(); // no flag falls while the player is asked
    if (!SaveChangesFirst(kSaveBeforePasting))
    {
        StartComputerIfItsTurn();
        return;
    }
    TakeRecord(*record);
    m_gameFile.Replaced(!record->Moves().empty());
}

void CChildView::GoToMove(std::size_t count)
{
    // A timed game is not taken back while it is played; once it is over it
    // may be looked through, and its clocks are put away.
    if (ClocksRun())
        return;
    count = std::min(count, m_record.Moves().size());
    if (count != m_record.Place())
    {
        m_gameFile.Changed();
        m_clocks->PutAway();
    }
    ShowPlace(count);
}

void CChildView::TakeBackOrReplay(std::size_t count)
{
    const std::size_t here = m_record.Place();
    const std::size_t last = m_record.Moves().size();
    count = std::min(count, last);
    // Against the computer the game rests only where the player is to move:
    // going back passes over the computer's replies, going forward too.
    if (m_computerPlays[CCheckerBoard::BlackSide] != m_computerPlays[CCheckerBoard::RedSide])
    {
        // The camera's side is then the player's; the other is the computer's.
        const std::int32_t computer = 1 - CameraSide();
        if (count < here)
            while (count > 0 && m_record.BoardAfter(count).m_side == computer)
                --count;
        else if (count > here)
            while (count < last && m_record.BoardAfter(count).m_side == computer)
                ++count;
    }
    GoToMove(count);
}

void CChildView::ShowPlace(std::size_t place)
{
    // The picture jumps to the end of what it was playing, and the computer
    // forgets the board it was thinking about, before the board changes.
    m_animator->Finish();
    CancelComputer();
    m_record.GoTo(place);
    m_board = m_record.Board();
    ForgetMoveInput();
    PlaceChips();
    InvalidateRect();
    SpinCamera();
    StartComputerIfItsTurn();
    FollowGame();
}

void CChildView::TakeRecord(const CGameRecord& record)
{
    m_animator->Finish();
    CancelComputer();
    m_record = record;
    m_clocks->NewGame(); // both clocks full, if the game is timed
    ShowPlace(record.Place());
}

PdnTags CChildView::GameTags() const
{
    PdnTags tags;
    tags.date = wxDateTime::Now().Format("%Y.%m.%d").utf8_string();
    const auto player = [this](std::int32_t side)
    {
        return m_computerPlays[side] ? std::string("Plaxen (") + LevelName(m_computerLevel) + ")"
                                     : std::string("Player");
    };
    tags.black = player(CCheckerBoard::BlackSide);
    tags.white = player(CCheckerBoard::RedSide);
    if (const auto& control = m_clocks->GameControl())
        tags.timeControl = TimeControlTag(*control);
    return tags;
}
