#include "rules/rules_host.h"

namespace {

void NoSetupEnd() {}
void NoPlacement(int, int) {}
void NoMoveResult(int, int, int, int, int, int) {}
void NoFrame() {}
BOOL NoSound(const char*, void*, DWORD) { return FALSE; }
void NoGameOverPanel() {}

RulesHost DefaultRulesHost()
{
    return RulesHost{NoSetupEnd, NoPlacement, NoMoveResult, NoFrame, NoSound, NoGameOverPanel};
}

}  // namespace

RulesHost g_rulesHost = DefaultRulesHost();

void ResetRulesHost()
{
    g_rulesHost = DefaultRulesHost();
}
