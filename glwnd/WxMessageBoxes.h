#pragma once
// The real message boxes behind the window-system-free message service.

// Makes every AfxMessageBox / CaptionedMessageBox show a modal wx box with
// the given caption ("Plaxen" unless named), one OK button and, for
// MB_ICONSTOP, the stop icon; and every QuestionBox a modal wx box with its
// two or three buttons. Needs a running wx application.
void InstallWxMessageBoxes();

// The wx style flags for a box of `type` (MB_OK, MB_ICONSTOP).
long WxMessageBoxStyle(unsigned type);
