#pragma once
// The program's resource identifiers and string table. The command numbers
// are the ones the menu, the toolbar and the board view's handlers share.

#include <string>

#include <wx/defs.h>

#include "view/CommandIds.h"

// Menu and toolbar commands handled by the board view, under the view's
// numbers (32771 and up).
constexpr int ID_NO_SPIN = ViewCommand::NoSpin;
constexpr int ID_CAMERA_PANTILT = ViewCommand::CameraPanTilt;
constexpr int ID_CAMERA_PITCHYAW = ViewCommand::CameraPitchYaw;
constexpr int ID_CAMERA_ROLLMOVE = ViewCommand::CameraRollMove;
constexpr int ID_CAMERA_DOLLYXY = ViewCommand::CameraDollyXY;
constexpr int ID_REDRAW_CHIPS = ViewCommand::RedrawChips;
constexpr int ID_NEW_GAME = ViewCommand::NewGame;
constexpr int ID_LOAD_GAME = ViewCommand::LoadGame;
constexpr int ID_SAVE_GAME = ViewCommand::SaveGame;
constexpr int ID_COMPUTER_BLACK = ViewCommand::ComputerPlaysBlack;
constexpr int ID_COMPUTER_RED = ViewCommand::ComputerPlaysRed;
constexpr int ID_LEVEL_BEGINNER = ViewCommand::LevelBeginner;
constexpr int ID_LEVEL_INTERMEDIATE = ViewCommand::LevelIntermediate;
constexpr int ID_LEVEL_EXPERT = ViewCommand::LevelExpert;
constexpr int ID_UNDO_MOVE = ViewCommand::UndoMove;
constexpr int ID_REDO_MOVE = ViewCommand::RedoMove;
constexpr int ID_COPY_GAME = ViewCommand::CopyGame;
constexpr int ID_PASTE_GAME = ViewCommand::PasteGame;
constexpr int ID_MOVE_LIST = ViewCommand::MoveList;
constexpr int ID_SAVE_GAME_AS = ViewCommand::SaveGameAs;
constexpr int ID_RESET_CAMERA = ViewCommand::ResetCamera;
constexpr int ID_COMPUTER_LEVEL = ViewCommand::ComputerLevel;
constexpr int ID_CLAIM_DRAW = ViewCommand::ClaimDraw;
constexpr int ID_OFFER_DRAW = ViewCommand::OfferDraw;
constexpr int ID_RESIGN = ViewCommand::Resign;
constexpr int ID_TIME_CONTROL = ViewCommand::TimeControl;
constexpr int ID_TIME_CONTROL_FIRST = ViewCommand::TimeControlFirst; // one a choice, in order
constexpr int ID_HINT = ViewCommand::Hint;
constexpr int ID_ANALYSE = ViewCommand::Analyse;
constexpr int ID_REVIEW_GAME = ViewCommand::ReviewGame;
constexpr int ID_EVALUATION_GRAPH = ViewCommand::EvaluationGraph;
constexpr int ID_SHOW_LAST_MOVE = ViewCommand::ShowLastMove;

// Framework commands, under the numbers wx gives them where it has its own.
constexpr int ID_APP_EXIT = wxID_EXIT;   // 57665 in the string table
constexpr int ID_APP_ABOUT = wxID_ABOUT; // 57664 in the string table
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

// Status-bar indicator panes.
constexpr int ID_INDICATOR_CAPS = 59137;
constexpr int ID_INDICATOR_NUM = 59138;
constexpr int ID_INDICATOR_SCRL = 59139;

// The frame's menu, toolbar, icon and title; the About box.
constexpr int IDR_MAINFRAME = 128;
constexpr int IDD_ABOUTBOX = 100;

// String table entries that are not command prompts.
constexpr int IDP_OLE_INIT_FAILED = 100;
constexpr int AFX_IDS_APP_TITLE = 57344;
constexpr int AFX_IDS_IDLEMESSAGE = 57345;

// The string-table text of `id` (a command, indicator or message number;
// wxID_EXIT and wxID_ABOUT are looked up under their original numbers), or
// "" when the table has none.
std::string LoadResourceString(int id);

// The status-bar prompt of command `id`: its text before "\n".
std::string PromptOf(int id);

// The tooltip of command `id`: its text after "\n", "" when there is none.
std::string TooltipOf(int id);
