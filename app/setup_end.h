// End of the setup and start of play.
#pragma once

// Places the opponent's pieces and starts play once the player's 40 pieces stand.
void FinishSetup();
