#pragma once
// The real message boxes behind the window-system-free message service.

// Makes every AfxMessageBox / CaptionedMessageBox show a modal wx box with
// the given caption ("Plaxen" unless named), one OK button and, for
// MB_ICONSTOP, the stop icon. Needs a running wx application.
void InstallWxMessageBoxes();

// The wx style flags for a box of `type` (MB_OK, MB_ICONSTOP).
long WxMessageBoxStyle(unsigned type);
