// The dialog pictures (button faces, the window icon) are read by the
// program's own bitmap reader, not by the toolkit.
#pragma once

// Points the platform's picture reader at the program's bitmap reader. A
// picture that is missing or cannot be read is simply not shown: no message.
void InstallPictureReader();
