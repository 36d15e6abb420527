// A test facility, not a player feature: when the environment variable
// VELMONAR_DEBUG_DUMP names a file at start, the game state is written there
// as one line (replacing the file atomically) at the end of the start-up and
// of every left-button press and Esc the main dialog handles. The
// end-to-end tests wait for its sequence number to grow and check the rest.
//
// The line: space-separated fields name=value, in this order:
//   seq=N              grows by one with every write, from 1
//   ready=R fade=F     g_sceneReady, g_fadeInProgress
//   panels=DDD...      the 19 panel flags as digits, entry 0 (menu mode) first
//   setup=P mode=M     setup phase, setup mode
//   over=G loser=L     game over, losing side
//   tray=c0,...,c11    the tray counts by rank
//   rank=R             the tray rank chosen, -1 none
//   hover=x,y          the hovered square, 0,0 none
//   selected=x,y       the selected piece's square
//   last=fx,fy,tx,ty   the last move
//   dir=D              its direction, 0 none
//   forbidden=fx,fy,tx,ty  side 1's forbidden move
//   cells=o/r,...      owner/rank of the 100 squares, row y = 1 first, x = 1..10 in each row
//   lang=L             the language in use
//   hits=name:id:l,t,r,b;...  hit rectangles (window coordinates) and hover ids of the
//                      caption bar (close, maximise, minimise, help, menu), the text
//                      window's close button (textclose), then of every laid-out
//                      widget of every panel shown, named w<index> (id 0: no hover)
#pragma once

#include <string>

// Reads the variable; called once at start. Without it nothing is ever written.
void StartDebugDump();
// Stops writing (for tests).
void StopDebugDump();
// Writes the next line when a file was named.
void WriteDebugDump();
// The line of the current state with the given sequence number.
std::string DebugDumpLine(int sequence);
