#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <bitset>

// Code page 936 at the edges of the program: collection files, the table converter,
// byte-length rules. Backed by ICU's "windows-936", which maps 0x80 to U+20AC and
// 0xFE51/0xFE52 to U+E816/U+E817 as the Windows code page does.
namespace Gbk {

// Characters that code page 936 cannot hold become '?'.
QByteArray encode(QStringView text);

// Malformed sequences become U+FFFD; never fails.
QString decode(QByteArrayView bytes);

// The UTF-16 units that code page 936 holds as a character by themselves. Surrogates never
// are: the code page has no character beyond the BMP. Built on first use.
const std::bitset<0x10000> &encodableUnits();

// Index of the first character (UTF-16 position) that code page 936 cannot hold, or -1.
qsizetype firstUnencodable(QStringView text);

inline bool canEncode(QStringView text)
{
    return firstUnencodable(text) < 0;
}

// The longest prefix of text whose encoding takes at most maxBytes bytes,
// never splitting a character.
QString truncateToBytes(QStringView text, qsizetype maxBytes);

} // namespace Gbk
