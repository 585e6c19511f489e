#include "convert/PhraseConverter.h"

#include "convert/OpenccEngine.h"
#include "platform/Gbk.h"

namespace {

// UTF-16 units that the UTF-8 bytes [0, byteOffset) of text stand for, counted on from a
// previous (bytes, units) pair.
qsizetype unitsUpTo(const std::string &text, std::size_t &bytes, qsizetype &units, std::size_t byteOffset)
{
    for (; bytes < byteOffset; ++bytes) {
        const auto b = static_cast<unsigned char>(text[bytes]);
        if ((b & 0xC0) != 0x80)
            units += b >= 0xF0 ? 2 : 1;
    }
    return units;
}

} // namespace

PhraseConverter::PhraseConverter(std::shared_ptr<const OpenccEngine> engine, Config config)
    : m_engine(std::move(engine))
    , m_simplified(config == T2S || config == TW2SP)
{
    Gbk::encodableUnits(); // built here, at loading, rather than in the first conversion
}

PhraseConverter::~PhraseConverter() = default;

PhraseResult PhraseConverter::convert(QStringView text, bool review) const
{
    // Characters beyond the BMP never reach OpenCC, nor does U+0000, which ends its strings.
    const std::bitset<0x10000> &gbk = Gbk::encodableUnits();
    PhraseResult result;
    result.text.reserve(text.size() + text.size() / 8);
    std::string converted;
    std::vector<OpenccEngine::ByteMark> marks;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype end = i;
        while (end < n && text[end].unicode() != 0 && gbk.test(text[end].unicode()))
            ++end;
        if (end == i) {
            result.text += text[i];
            ++i;
            continue;
        }
        const QByteArray utf8 = text.sliced(i, end - i).toUtf8();
        converted.clear();
        marks.clear();
        m_engine->convert(
            std::string_view(utf8.constData(), std::size_t(utf8.size())), converted, review ? &marks : nullptr);
        const qsizetype base = result.text.size();
        result.text += QString::fromUtf8(converted.data(), qsizetype(converted.size()));
        std::size_t bytes = 0;
        qsizetype units = 0;
        for (const auto &mark : marks) {
            ReviewMark m;
            m.position = base + unitsUpTo(converted, bytes, units, mark.offset);
            for (const std::string &candidate : mark.candidates) {
                QString form = QString::fromUtf8(candidate.data(), qsizetype(candidate.size()));
                // Simplified text never uses a form beyond code page 936 (𫔭 for 開).
                if (m.candidates.isEmpty() || !m_simplified || Gbk::canEncode(form))
                    m.candidates += std::move(form);
            }
            m.candidates.removeDuplicates();
            if (m.candidates.size() > 1 && !m.candidates.first().isEmpty())
                result.marks.append(std::move(m));
        }
        i = end;
    }
    return result;
}
