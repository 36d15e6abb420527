// The look the program's own small dialogs share: white text on black.
#pragma once

#include "platform/window.h"

// Sets white text on a black background on dc and returns the black brush,
// making it on first use (the controls are coloured before the dialog's
// initialisation runs).
inline HBRUSH WhiteOnBlack(CDC* dc, HBRUSH& brush)
{
    if (dc) {
        dc->SetBkColor(RGB(0, 0, 0));
        dc->SetTextColor(RGB(255, 255, 255));
    }
    if (!brush) brush = CreateSolidBrush(RGB(0, 0, 0));
    return brush;
}

// A dialog bitmap by resource id (null when its file is missing).
inline HBITMAP LoadDialogBitmap(int id)
{
    return LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0,
                      LR_CREATEDIBSECTION | LR_DEFAULTSIZE);
}
