// Fly-in animations of the overlay panels.
#pragma once

// Flies the game-over panel in; blocks until it stands.
void AnimateGameOverPanel();

// Flies the main menu in; blocks until it stands.
void AnimateMainMenu();

// Flies the language list in; blocks until it stands.
void AnimateLanguageList();

// Flies the new-game prompt in; blocks until it stands.
void AnimateNewGameConfirm();
