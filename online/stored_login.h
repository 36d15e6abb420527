// The stored log-in: a file of two lines, name and password, in the per-user
// folder that stands in for the Windows folder.
#pragma once

#include "platform/strings.h"

constexpr int STORED_LOGIN_FIELD_MAX = 20;

// The file's path ("<folder>/strlp.erg"); empty when there is no such folder.
CString StoredLoginPath();

// Reads both lines whole and keeps at most 20 characters of each, so a long
// name never pushes the password out of place. False when the file is
// missing or unreadable (the player plays as a guest).
bool ReadStoredLogin(CString& name, CString& password);
