// The fuzz targets of the file readers and what they share. Each target feeds
// one input to one reader the way the program does (through a file in a
// private folder where the reader takes a path) and checks what the reader
// promises. A broken promise, a crash, a sanitizer report or a hang is a
// failure: libFuzzer records the input, the replay test runs it again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The targets; each returns 0 (libFuzzer's convention).
int FuzzPicture(const uint8_t* data, size_t size);       // auxDIBImageLoadA
int FuzzModel(const uint8_t* data, size_t size);         // LoadGeoModel and what reads its record
int FuzzOptions(const uint8_t* data, size_t size);       // LoadConfig
int FuzzSetupFile(const uint8_t* data, size_t size);     // a ready-made setup file
int FuzzRecentSetups(const uint8_t* data, size_t size);  // "/rs/Temp.txt"
int FuzzSound(const uint8_t* data, size_t size);         // PlaySoundA's WAV loading
int FuzzFont(const uint8_t* data, size_t size);          // LoadFont, then captions measured and drawn
int FuzzLanguage(const uint8_t* data, size_t size);      // LoadLanguage
int FuzzHelpText(const uint8_t* data, size_t size);      // the help reader and the page drawn from it
int FuzzStoredLogin(const uint8_t* data, size_t size);   // the stored log-in file
int FuzzWebDocuments(const uint8_t* data, size_t size);  // vers.vs, ip.ip and reklama as received
int FuzzServerReplies(const uint8_t* data, size_t size); // pairing, move, status and log-in replies
int FuzzSavedGame(const uint8_t* data, size_t size);     // a save file loaded from the load list

// Makes g_appDir a program folder of the target's own inside a private
// folder of this process (made on first use, removed at exit), and returns
// it. Every target starts with it, so that targets sharing a process (the
// replay test) never see each other's files.
std::string EnterProgramFolder(const char* target);

// Writes the input to the program folder + "/" + name, making its folder,
// and returns the whole path.
std::string WriteFuzzInput(const std::string& name, const uint8_t* data, size_t size);

// The message boxes the readers showed since ResetFuzzBoxes (none is ever
// shown on screen: they are only recorded).
struct FuzzBoxes {
    int count = 0;
    std::string text, caption;
};
const FuzzBoxes& ShownBoxes();
void ResetFuzzBoxes();

// Ends the run when a reader broke a promise: prints what and aborts.
void FuzzCheck(bool condition, const char* what);
