#include "online/online_host.h"

namespace {
void Nothing() {}
}  // namespace

OnlineHost g_onlineHost = {Nothing};

void ResetOnlineHost()
{
    g_onlineHost.resetBannerAndPolling = Nothing;
}
