#include "platform/strings.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::string UpToNul(const char* bytes, size_t length)
{
    const void* nul = std::memchr(bytes, 0, length);
    if (nul != nullptr) length = static_cast<size_t>(static_cast<const char*>(nul) - bytes);
    return std::string(bytes, length);
}

// Unicode code points of Windows-1251 bytes 0x80..0xBF (0 = no character).
const unsigned short kHighTable[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

unsigned CodePointOf(unsigned char byte)
{
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);  // А..я in alphabet order
    return kHighTable[byte - 0x80];
}

int ByteOf(unsigned codePoint)
{
    if (codePoint < 0x80) return static_cast<int>(codePoint);
    if (codePoint >= 0x0410 && codePoint <= 0x044F) return static_cast<int>(0xC0 + (codePoint - 0x0410));
    for (int i = 0; i < 64; ++i)
        if (kHighTable[i] != 0 && kHighTable[i] == codePoint) return 0x80 + i;
    return -1;
}

void AppendUtf8(std::string& out, unsigned cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

CString::CString(const char* text) : m_text(text ? text : "") {}
CString::CString(const char* bytes, int length)
    : m_text(bytes && length > 0 ? UpToNul(bytes, static_cast<size_t>(length)) : std::string())
{
}
CString::CString(char c) : m_text(c ? std::string(1, c) : std::string()) {}
CString::CString(const std::string& s) : m_text(UpToNul(s.data(), s.size())) {}

CString& CString::operator=(const char* text)
{
    m_text = text ? text : "";
    return *this;
}
CString& CString::operator=(char c)
{
    m_text = c ? std::string(1, c) : std::string();
    return *this;
}
CString& CString::operator+=(const CString& s)
{
    m_text += s.m_text;
    return *this;
}
CString& CString::operator+=(const char* text)
{
    if (text) m_text += text;
    return *this;
}
CString& CString::operator+=(char c)
{
    if (c) m_text += c;
    return *this;
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, const char* b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const char* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, char c)
{
    CString r(a);
    r += c;
    return r;
}
CString operator+(char c, const CString& b)
{
    CString r(c);
    r += b;
    return r;
}

bool operator==(const CString& a, const char* b)
{
    return a.m_text == (b ? b : "");
}

char CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength()) return '\0';
    return m_text[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char c)
{
    if (index < 0 || index >= GetLength()) return;
    if (c == '\0') {
        m_text.resize(static_cast<size_t>(index));
        return;
    }
    m_text[static_cast<size_t>(index)] = c;
}

int CString::Find(char c, int start) const
{
    if (start < 0) start = 0;
    if (start >= GetLength()) return -1;
    size_t pos = m_text.find(c, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength()) return -1;
    size_t pos = m_text.find(sub, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int count) const
{
    if (count <= 0) return CString();
    return CString(m_text.substr(0, static_cast<size_t>(count)));
}

CString CString::Right(int count) const
{
    if (count <= 0) return CString();
    if (count >= GetLength()) return *this;
    return CString(m_text.substr(m_text.size() - static_cast<size_t>(count)));
}

CString CString::Mid(int first) const
{
    if (first < 0) first = 0;
    if (first >= GetLength()) return CString();
    return CString(m_text.substr(static_cast<size_t>(first)));
}

CString CString::Mid(int first, int count) const
{
    if (first < 0) first = 0;
    if (first >= GetLength() || count <= 0) return CString();
    return CString(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText) return 0;
    const std::string from(oldText), to(newText ? newText : "");
    int count = 0;
    size_t pos = 0;
    while ((pos = m_text.find(from, pos)) != std::string::npos) {
        m_text.replace(pos, from.size(), to);
        pos += to.size();
        ++count;
    }
    return count;
}

void CString::Format(const char* format, ...)
{
    // vsnprintf formats integers the same in every locale; the program never
    // switches LC_NUMERIC away from "C", so floats are safe as well.
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0) {
        va_end(args);
        m_text.clear();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    m_text = UpToNul(buffer.data(), static_cast<size_t>(needed));
}

std::string Cp1251ToUtf8(const std::string& text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (unsigned char byte : text) {
        unsigned cp = CodePointOf(byte);
        AppendUtf8(out, cp == 0 && byte != 0 ? '?' : cp);
    }
    return out;
}

std::string Utf8ToCp1251(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        unsigned cp = 0;
        size_t extra = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            extra = 2;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            extra = 3;
        } else {
            out += '?';  // stray continuation or invalid lead byte
            ++i;
            continue;
        }
        bool valid = true;
        for (size_t k = 1; valid && k <= extra; ++k) {
            if (i + k >= text.size()) {
                valid = false;
                break;
            }
            unsigned char cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80) valid = false;
            else cp = (cp << 6) | (cont & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        i += extra + 1;
        int byte = ByteOf(cp);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}
