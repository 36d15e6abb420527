// Byte strings of the program (Windows-1251 inside) and the conversions to
// and from UTF-8 where text leaves the program (window titles, dialogs, X).
#pragma once

#include <cstddef>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text);                 // stops at the first NUL; null gives ""
    CString(const char* bytes, int length);    // exactly length bytes (stops at a NUL too)
    CString(char c);
    explicit CString(const std::string& s);    // stops at the first NUL

    CString& operator=(const char* text);
    CString& operator=(char c);
    CString& operator+=(const CString& s);
    CString& operator+=(const char* text);
    CString& operator+=(char c);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char c);
    friend CString operator+(char c, const CString& b);

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b);
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    // Out-of-range indices give NUL instead of reading past the string.
    char GetAt(int index) const;
    char operator[](int index) const { return GetAt(index); }
    void SetAt(int index, char c);

    int Find(char c, int start = 0) const;     // -1 when absent
    int Find(const char* sub, int start = 0) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    int Replace(const char* oldText, const char* newText);

    // printf-style formatting in the C locale (the program uses %i, %u, %s).
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

private:
    std::string m_text;
};

// Windows-1251 <-> UTF-8. Bytes without a Windows-1251 character become '?'
// in UTF-8; UTF-8 characters with no Windows-1251 byte become '?' (0x3F is
// never a letter or digit, so checks of the result still fail).
std::string Cp1251ToUtf8(const std::string& text);
std::string Utf8ToCp1251(const std::string& text);
