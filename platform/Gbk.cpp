#include "platform/Gbk.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <memory>
#include <stdexcept>

namespace {

struct ConverterCloser
{
    void operator()(UConverter *c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter(bool strict)
{
    UErrorCode status = U_ZERO_ERROR;
    Converter conv(ucnv_open("windows-936", &status));
    if (U_FAILURE(status) || !conv)
        throw std::runtime_error("ICU converter windows-936 is not available");
    if (strict) {
        ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    } else {
        ucnv_setSubstChars(conv.get(), "?", 1, &status);
    }
    return conv;
}

const UChar *uchars(QStringView text)
{
    return reinterpret_cast<const UChar *>(text.utf16());
}

} // namespace

namespace Gbk {

QByteArray encode(QStringView text)
{
    if (text.isEmpty())
        return {};
    thread_local Converter conv = openConverter(false);
    ucnv_resetFromUnicode(conv.get());
    QByteArray out(text.size() * 2 + 8, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n
        = ucnv_fromUChars(conv.get(), out.data(), int32_t(out.size()), uchars(text), int32_t(text.size()), &status);
    if (U_FAILURE(status))
        return {};
    out.truncate(n);
    return out;
}

QString decode(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    thread_local Converter conv = openConverter(false);
    ucnv_resetToUnicode(conv.get());
    QString out(bytes.size() + 8, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(conv.get(), reinterpret_cast<UChar *>(out.data()), int32_t(out.size()),
        bytes.data(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        return {};
    out.truncate(n);
    return out;
}

const std::bitset<0x10000> &encodableUnits()
{
    static const std::bitset<0x10000> units = [] {
        const Converter conv = openConverter(true);
        std::bitset<0x10000> set;
        char buf[8];
        for (char32_t c = 0; c < 0x10000; ++c) {
            const UChar unit = UChar(c);
            if (QChar::isSurrogate(c))
                continue;
            ucnv_resetFromUnicode(conv.get());
            UErrorCode status = U_ZERO_ERROR;
            ucnv_fromUChars(conv.get(), buf, sizeof buf, &unit, 1, &status);
            set.set(c, U_SUCCESS(status));
        }
        return set;
    }();
    return units;
}

qsizetype firstUnencodable(QStringView text)
{
    const std::bitset<0x10000> &units = encodableUnits();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!units.test(text[i].unicode()))
            return i;
    }
    return -1;
}

QString truncateToBytes(QStringView text, qsizetype maxBytes)
{
    qsizetype bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype len
            = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        const qsizetype charBytes = encode(text.mid(i, len)).size();
        if (bytes + charBytes > maxBytes)
            break;
        bytes += charBytes;
        i += len;
    }
    return text.left(i).toString();
}

} // namespace Gbk
