#include "app/Resource.h"

#include <map>

#include "record/TimeControl.h"

namespace
{
constexpr int kOriginalExit = 57665;
constexpr int kOriginalAbout = 57664;

const std::map<int, std::string>& StringTable()
{
    static const std::map<int, std::string> table{
        {IDP_OLE_INIT_FAILED,
         "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
        {IDR_MAINFRAME, "Plaxen"},
        {AFX_IDS_APP_TITLE, "Plaxen"},
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {ID_NO_SPIN, "No spinning"},
        {ID_NEW_GAME, "New Game..."},
        {ID_LOAD_GAME, "Open a saved game, a .plx position or a .pdn game"},
        {ID_SAVE_GAME, "Save the game in its file, or in a new one"},
        {ID_SAVE_GAME_AS, "Save the game in a file of your choice"},
        {ID_REDRAW_CHIPS, "Build the chips again from the game record"},
        {ID_CAMERA_PANTILT, "A right drag turns the camera where it stands"},
        {ID_CAMERA_PITCHYAW, "A right drag swings the camera around the board"},
        {ID_CAMERA_ROLLMOVE, "A right drag moves the camera away from the board or closer"},
        {ID_CAMERA_DOLLYXY, "A right drag slides the camera sideways and up or down"},
        {ID_RESET_CAMERA, "Put the camera back where a game starts it"},
        {ID_COMPUTER_LEVEL, "Choose how strongly the computer plays"},
        {ID_COMPUTER_BLACK, "Let the computer play the black chips"},
        {ID_COMPUTER_RED, "Let the computer play the red chips"},
        {ID_LEVEL_BEGINNER, "The computer looks a short way ahead and now and then errs"},
        {ID_LEVEL_INTERMEDIATE, "The computer thinks a quarter of a second a move"},
        {ID_LEVEL_EXPERT, "The computer thinks a second a move, at its full strength"},
        {ID_UNDO_MOVE, "Take back the last move\nUndo Move"},
        {ID_REDO_MOVE, "Play the move taken back again\nRedo Move"},
        {ID_COPY_GAME, "Put the game on the clipboard as PDN text"},
        {ID_PASTE_GAME, "Set up the game on the clipboard, PDN text or a FEN"},
        {ID_MOVE_LIST, "Show or hide the list of moves"},
        {ID_CLAIM_DRAW, "End the game drawn, as a third repetition or forty quiet moves allow"},
        {ID_OFFER_DRAW, "Offer the computer a draw"},
        {ID_RESIGN, "Give up the game for the side to move"},
        {ID_TIME_CONTROL, "Choose the clocks the next new game is played with"},
        {ID_SHOW_LAST_MOVE, "Mark the squares the last move left and reached"},
        {ID_HINT, "Show a good move for the side to move\nHint"},
        {ID_ANALYSE, "Show or hide the engine's live view of the position"},
        {ID_REVIEW_GAME, "Let the engine find the mistakes in the game so far"},
        {ID_EVALUATION_GRAPH, "Show or hide the evaluation of the game as a graph"},
        {kOriginalAbout, "Display program information, version number and copyright\nAbout"},
        {kOriginalExit, "Quit the application; prompts to save documents\nExit"},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
        {ID_INDICATOR_CAPS, "CAP"},
        {ID_INDICATOR_NUM, "NUM"},
        {ID_INDICATOR_SCRL, "SCRL"},
        {61184, "Change the window size"},
        {61185, "Change the window position"},
        {61186, "Reduce the window to an icon"},
        {61187, "Enlarge the window to full size"},
        {61188, "Switch to the next document window"},
        {61189, "Switch to the previous document window"},
        {61190, "Close the active window and prompts to save the documents"},
        {61202, "Restore the window to normal size"},
        {61203, "Activate Task List"},
    };
    return table;
}

// The time controls' prompts come with the choices themselves.
const std::map<int, std::string>& TimeControlPrompts()
{
    static const std::map<int, std::string> prompts = []
    {
        std::map<int, std::string> table;
        int id = ID_TIME_CONTROL_FIRST;
        for (const TimeControlChoice& choice : TimeControlChoices())
            table.emplace(id++, choice.prompt);
        return table;
    }();
    return prompts;
}
} // namespace

std::string LoadResourceString(int id)
{
    if (id == wxID_EXIT)
        id = kOriginalExit;
    else if (id == wxID_ABOUT)
        id = kOriginalAbout;
    for (const auto* table : {&StringTable(), &TimeControlPrompts()})
        if (const auto found = table->find(id); found != table->end())
            return found->second;
    return std::string();
}

std::string PromptOf(int id)
{
    const std::string text = LoadResourceString(id);
    return text.substr(0, text.find('\n'));
}

std::string TooltipOf(int id)
{
    const std::string text = LoadResourceString(id);
    const std::size_t newline = text.find('\n');
    return newline == std::string::npos ? std::string() : text.substr(newline + 1);
}
