// Time, pauses and the process: the small part of the system the rules need.
#pragma once

#include <string>

#include "platform/wintypes.h"

// Milliseconds of a monotonic clock, truncated to 32 bits: differences taken
// as DWORD stay right across the wrap.
DWORD GetTickCount();

// Blocks the calling thread; never dispatches window events.
void Sleep(DWORD milliseconds);

// Hands back to the system the pages that freed memory still holds inside
// the heap (big work buffers of the start-up leave holes there that would
// otherwise stay resident). Nothing changes for the memory in use.
void ReturnFreeMemory();

// --- the program and the machine ---

// The status the process leaves with when the application object is done
// (0 unless something set another).
void SetExitStatus(int status);
int ExitStatus();

// The folder of the running executable (from /proc/self/exe), no trailing slash.
std::string GetProgramFolder();

// The program's command line as the loader reads it: the executable's path in
// double quotes, with backslashes between the folders.
const char* GetCommandLineA();

// The host name, at most 15 characters (what a computer name holds), bytes
// as they are. size: buffer size in, characters written out.
BOOL GetComputerNameA(char* buffer, DWORD* size);

// Only the serial number is meaningful: a stable 32-bit number derived from
// /etc/machine-id, 0 (and FALSE) when it cannot be read. Name buffers get "".
BOOL GetVolumeInformationA(const char* root, char* volumeName, DWORD volumeNameSize, DWORD* serial,
                           DWORD* maxComponentLength, DWORD* fileSystemFlags, char* fileSystemName,
                           DWORD fileSystemNameSize);
// The serial for the text of a machine-id file (32 hex digits); 0 for anything else.
DWORD VolumeSerialFromMachineId(const std::string& text);

// The per-user folder standing in for the Windows folder:
// $XDG_CONFIG_HOME/velmonar, else ~/.config/velmonar, created private (0700).
// Returns the length written, 0 on failure.
UINT GetWindowsDirectoryA(char* buffer, UINT size);

BOOL SetCurrentDirectoryA(const char* path);
// TRUE when made; FALSE when it exists already or cannot be made.
BOOL CreateDirectoryA(const char* path, void* security);

// Existence test only.
struct WIN32_FIND_DATAA {
    char cFileName[260];
};
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<long>(-1)))
HANDLE FindFirstFileA(const char* path, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE handle);

// Opens a web address with xdg-open, or starts a program (relative to
// directory, else to the current folder) detached from this process, so it
// outlives it. Arguments go to the new process as they are, never through a
// shell. The result as a number is above 32 on success, 2 for a program that
// is not there, 5 for one that may not run, 31 for anything else.
HINSTANCE ShellExecuteA(HWND window, const char* operation, const char* file, const char* parameters,
                        const char* directory, int show);
