#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The table converter's algorithm written out literally: a linear search of the table for
// every pair. Slow on purpose; the reference that the real converter must agree with.
// A final unpaired lead byte is kept, as the real converter does.
inline QByteArray literalConvert(const QByteArray &searched, const QByteArray &other, QByteArrayView source)
{
    QByteArray result;
    result.reserve(source.size());
    bool pending = false;
    char lead = 0;
    for (const char byte : source) {
        if (!pending) {
            if (quint8(byte) <= 0x80) {
                result.append(byte);
            } else {
                pending = true;
                lead = byte;
            }
            continue;
        }
        pending = false;
        qsizetype found = -1;
        const char *entries = searched.constData();
        for (qsizetype i = 0; i + 1 < searched.size(); i += 2) {
            if (entries[i] == lead && entries[i + 1] == byte) {
                found = i;
                break;
            }
        }
        if (found >= 0) {
            result.append(other[found]);
            result.append(other[found + 1]);
        } else {
            result.append(lead);
            result.append(byte);
        }
    }
    if (pending)
        result.append(lead);
    return result;
}
