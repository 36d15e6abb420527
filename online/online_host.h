// The calls the online code makes above itself: the interface's banner and
// the game flow's server polling. The application fills the table at
// start-up; until then every entry does nothing.
#pragma once

struct OnlineHost {
    // Leaving an online game: the online banner off, the next ping due at once.
    void (*resetBannerAndPolling)();
};

extern OnlineHost g_onlineHost;

// Puts every entry back to its do-nothing default.
void ResetOnlineHost();
