#include "online/setup_code.h"

const char SetupCodeTable[10] = {'#', '$', '%', '^', '(', ')', '[', ']', '{', '}'};

int SetupCodeDigit(char code)
{
    for (int d = 0; d < 10; ++d)
        if (SetupCodeTable[d] == code) return d;
    return -1;
}

CString EncodeSetupMessage(const int ranks[40])
{
    CString plain = "!";
    for (int i = 0; i < 40; ++i) {
        CString part;
        part.Format("%i!", ranks[i]);
        plain += part;
    }
    CString coded;
    for (int i = 0; i < plain.GetLength(); ++i) {
        const char c = plain[i];
        coded += (c >= '0' && c <= '9') ? SetupCodeTable[c - '0'] : c;
    }
    return coded;
}
