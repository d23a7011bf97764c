// The README's picture of the evaluation graph: the game with a subclass of
// the application that, once its frame is up, takes a game in which black's
// 3-7 throws away two men, shows the move list and reviews the game, after
// which the graph appears. tools/readme-screenshot.sh photographs it; it
// runs until it is closed.

#include <wx/app.h>

#include "app/MainFrame.h"
#include "app/PlaxenApp.h"
#include "app/Resource.h"
#include "glwnd/GlxSupport.h"
#include "notation/BoardMoves.h"
#include "record/GameRecord.h"
#include "view/ChildView.h"

namespace
{
constexpr const char* kGame[] = {"12-16", "24-20", "8-12",  "21-17",     "9-14",
                                 "25-21", "10-15", "17x10", "7x14",      "28-24",
                                 "3-7",   "22-18", "15x22", "26x17x10x3"};

class CGraphShotApp : public CPlaxenApp
{
public:
    bool OnInit() override
    {
        if (!CPlaxenApp::OnInit())
            return false;
        auto* frame = dynamic_cast<CMainFrame*>(GetTopWindow());
        auto* view = frame ? dynamic_cast<CChildView*>(frame->GetView()) : nullptr;
        if (view == nullptr)
            return false;
        frame->SetSize(frame->FromDIP(wxSize(1000, 720)));
        CGameRecord record;
        CCheckerBoard board;
        for (const char* text : kGame)
        {
            const auto move = ResolveMove(board, ParseMove(text).value());
            PlayMove(board, *move);
            record.Played(*move, board);
        }
        view->TakeRecord(record);
        for (const int id : {ID_MOVE_LIST, ID_REVIEW_GAME})
        {
            wxCommandEvent command(wxEVT_MENU, id);
            frame->ProcessWindowEvent(command);
        }
        return true;
    }
};
} // namespace

wxIMPLEMENT_APP_NO_MAIN(CGraphShotApp);

int main(int argc, char** argv)
{
    RestrictGdkToX11();
    return wxEntry(argc, argv);
}
