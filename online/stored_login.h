// The stored log-in, strlp.erg in the player's private settings folder: the
// account name, a line break, the password (no line break after it). Every
// match request logs in again from it; without it the player is a guest.
#pragma once

#include <cstddef>
#include <string>

#include "platform/strings.h"

constexpr int STORED_LOGIN_MAX_CHARS = 20;

// The file's path; empty when the private folder cannot be made (then
// nothing is read and nothing written anywhere).
std::string StoredLoginPath();

// Reads the file's bytes: each whole line, a CR before its line end dropped,
// cut to 20 characters (a long name never loses the password). False when
// there is no first line.
bool ParseStoredLogin(const char* bytes, size_t length, CString* name, CString* password);

bool StoredLoginExists();
// False (name and password emptied) when there is no stored log-in.
bool ReadStoredLogin(CString* name, CString* password);
// Replaces the file at once (a private file, written whole or not at all).
bool WriteStoredLogin(const CString& name, const CString& password);
// Log-out: truncates the file, then removes it.
void RemoveStoredLogin();
