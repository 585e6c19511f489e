#include "convert/TableText.h"

#include "convert/GbToBig.h"
#include "platform/Gbk.h"

QString convertWithTable(const TGbToBig &converter, QStringView text)
{
    QString result;
    result.reserve(text.size());
    while (!text.isEmpty()) {
        const qsizetype bad = Gbk::firstUnencodable(text);
        const qsizetype runLength = bad < 0 ? text.size() : bad;
        if (runLength > 0)
            result += Gbk::decode(converter.Convert(Gbk::encode(text.first(runLength))));
        if (bad < 0)
            break;
        const bool pair = text[bad].isHighSurrogate() && bad + 1 < text.size() && text[bad + 1].isLowSurrogate();
        const qsizetype skip = pair ? 2 : 1;
        result += text.sliced(bad, skip);
        text = text.sliced(bad + skip);
    }
    return result;
}
