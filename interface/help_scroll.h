// Scrolling the help text window: the one computation the thumb drag, a
// click on the scroll track and the mouse wheel share. Scroll positions run
// from 0 (the top of the page) to g_helpScrollBar.range; the thumb is placed
// from the position, inside the track.
#pragma once

// Scrolls to the position the pointer's window y stands for on the track
// (its top edge 0, its bottom edge the whole range). False, changing
// nothing, when the page fits the window.
bool ScrollHelpToPointer(int y, int clientHeight);
// Scrolls by one wheel turn (delta as the wheel message carries it). False,
// changing nothing, when the page fits the window.
bool ScrollHelpByWheel(int delta);
// Takes the position: near either end it snaps to the end, then the thumb
// is placed. A page that fits the window (range 0 or less) gets range 0 and
// position 0, its thumb stays at its top place, and the result is false.
bool ScrollHelpTo(double scroll);
