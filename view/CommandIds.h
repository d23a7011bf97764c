#pragma once
// The command numbers of the board view's menu and toolbar commands. Kept
// free of wx so that the view does not depend on the application's resources;
// the frame's menu uses the same numbers.

namespace ViewCommand
{
constexpr int NoSpin = 32771;
constexpr int CameraPanTilt = 32772;
constexpr int CameraPitchYaw = 32773;
constexpr int CameraRollMove = 32774;
constexpr int CameraDollyXY = 32775;
constexpr int RedrawChips = 32778;
constexpr int NewGame = 32779;
constexpr int LoadGame = 32781;
constexpr int SaveGame = 32782;
constexpr int ComputerPlaysBlack = 32783;
constexpr int ComputerPlaysRed = 32784;
constexpr int LevelBeginner = 32785; // the three levels in order, as EngineLevel counts them
constexpr int LevelIntermediate = 32786;
constexpr int LevelExpert = 32787;
constexpr int UndoMove = 32788;
constexpr int RedoMove = 32789;
constexpr int CopyGame = 32790;
constexpr int PasteGame = 32791;
constexpr int MoveList = 32792; // View > "Move List": the frame's pane
constexpr int SaveGameAs = 32793;
constexpr int ResetCamera = 32794;
constexpr int ComputerLevel = 32795; // the submenu of the three levels
constexpr int ClaimDraw = 32800;
constexpr int OfferDraw = 32801;
constexpr int Resign = 32802;
constexpr int TimeControl = 32803; // the submenu of the time controls
// The time controls in the order TimeControlChoices() lists them, the last
// one "Custom...".
constexpr int TimeControlFirst = 32804;
constexpr int TimeControlLast = 32808;
constexpr int Hint = 32820;
constexpr int Analyse = 32821; // Analysis > "Analyse": the frame's pane
constexpr int ReviewGame = 32822;
constexpr int EvaluationGraph = 32823; // the frame's pane
constexpr int ShowLastMove = 32824;
} // namespace ViewCommand
