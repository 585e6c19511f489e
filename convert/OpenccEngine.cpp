#include "convert/OpenccEngine.h"

#include <opencc/Conversion.hpp>
#include <opencc/ConversionChain.hpp>
#include <opencc/Converter.hpp>
#include <opencc/Dict.hpp>
#include <opencc/DictEntry.hpp>
#include <opencc/MaxMatchSegmentation.hpp>

#include <algorithm>
#include <stdexcept>

namespace {

using ByteMark = OpenccEngine::ByteMark;

// Bytes of the UTF-8 character that starts with lead; never more than remain.
std::size_t charLength(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(length, text.size() - pos);
}

void appendOnce(std::vector<std::string> &list, const std::string &value)
{
    if (std::find(list.begin(), list.end(), value) == list.end())
        list.push_back(value);
}

// What a candidate becomes at a later step: every value of the entry whose key is the whole
// candidate, or the candidate itself.
void appendImages(const opencc::Dict &dict, const std::string &candidate, std::vector<std::string> &images)
{
    const auto match = dict.MatchPrefix(candidate.data(), candidate.size());
    if (match.IsNull() || match.Get()->KeyLength() != candidate.size() || match.Get()->NumValues() == 0) {
        appendOnce(images, candidate);
        return;
    }
    for (const std::string &value : match.Get()->Values())
        appendOnce(images, value);
}

// One step of the chain: at each place the longest key of dict is replaced by its first
// value; a character without a key is kept. Appends to out. With outMarks, a character
// replaced by a one-character key of several values is marked, a marked character that a
// one-character key (or none) carries on keeps its mark with its candidates carried along,
// and whatever a longer key covers is decided.
void applyStep(const opencc::Dict &dict, std::string_view in, const std::vector<ByteMark> &inMarks, std::string &out,
    std::vector<ByteMark> *outMarks)
{
    std::size_t pos = 0;
    std::size_t nextMark = 0;
    while (pos < in.size()) {
        const std::size_t charLen = charLength(in, pos);
        const auto match = dict.MatchPrefix(in.data() + pos, in.size() - pos);
        const std::size_t outStart = out.size();
        std::size_t keyLen = charLen;
        std::vector<std::string> values;
        if (match.IsNull()) {
            out.append(in.substr(pos, charLen));
        } else {
            const opencc::DictEntry *entry = match.Get();
            keyLen = entry->KeyLength();
            if (outMarks && keyLen == charLen && entry->NumValues() > 1) {
                values = entry->Values();
                out += values.front();
            } else {
                out += entry->GetDefault();
            }
        }
        if (outMarks) {
            const bool carried = nextMark < inMarks.size() && inMarks[nextMark].offset == pos;
            const std::size_t outLen = out.size() - outStart;
            const bool oneToOne = keyLen == charLen && outLen > 0 && charLength(out, outStart) == outLen;
            if (oneToOne && carried) {
                ByteMark mark { outStart, {} };
                for (const std::string &candidate : inMarks[nextMark].candidates)
                    appendImages(dict, candidate, mark.candidates);
                outMarks->push_back(std::move(mark));
            } else if (oneToOne && values.size() > 1) {
                outMarks->push_back({ outStart, std::move(values) });
            }
            while (nextMark < inMarks.size() && inMarks[nextMark].offset < pos + keyLen)
                ++nextMark;
        }
        pos += keyLen;
    }
}

} // namespace

OpenccEngine::OpenccEngine(const opencc::ConverterPtr &converter)
{
    const auto segmentation = std::dynamic_pointer_cast<opencc::MaxMatchSegmentation>(converter->GetSegmentation());
    if (!segmentation)
        throw std::runtime_error("segmentation other than maximum matching");
    m_segmentation = segmentation->GetDict();
    for (const opencc::ConversionPtr &conversion : converter->GetConversionChain()->GetConversions())
        m_steps.push_back(conversion->GetDict());
}

OpenccEngine::~OpenccEngine() = default;

void OpenccEngine::convert(std::string_view text, std::string &out, std::vector<ByteMark> *marks) const
{
    const std::size_t outBase = out.size();
    const std::size_t markBase = marks ? marks->size() : 0;
    // Unmatched characters gather into one segment up to the next phrase, as OpenCC's
    // segmentation does; a step's keys never reach across segments.
    std::size_t pos = 0;
    std::size_t segmentStart = 0;
    while (pos < text.size()) {
        const auto match = m_segmentation->MatchPrefix(text.data() + pos, text.size() - pos);
        if (match.IsNull()) {
            pos += charLength(text, pos);
            continue;
        }
        if (pos > segmentStart)
            convertSegment(text.substr(segmentStart, pos - segmentStart), out, marks);
        const std::size_t keyLen = match.Get()->KeyLength();
        convertSegment(text.substr(pos, keyLen), out, marks);
        pos += keyLen;
        segmentStart = pos;
    }
    if (pos > segmentStart)
        convertSegment(text.substr(segmentStart), out, marks);
    if (marks) {
        for (std::size_t i = markBase; i < marks->size(); ++i)
            (*marks)[i].offset -= outBase;
    }
}

void OpenccEngine::convertSegment(std::string_view segment, std::string &out, std::vector<ByteMark> *marks) const
{
    static const std::vector<ByteMark> none;
    std::string buffers[2];
    std::vector<ByteMark> stepMarks[2];
    std::string_view current = segment;
    const std::vector<ByteMark> *currentMarks = &none;
    const std::size_t last = m_steps.size() - 1;
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        // The last step writes straight into out, its marks straight into marks.
        std::string &target = i == last ? out : buffers[i % 2];
        std::vector<ByteMark> *targetMarks = marks ? (i == last ? marks : &stepMarks[i % 2]) : nullptr;
        if (i != last) {
            target.clear();
            if (targetMarks)
                targetMarks->clear();
        }
        const std::size_t base = target.size();
        const std::size_t markBase = targetMarks ? targetMarks->size() : 0;
        applyStep(*m_steps[i], current, *currentMarks, target, targetMarks);
        if (i == last)
            break;
        current = std::string_view(target).substr(base);
        if (targetMarks) {
            for (std::size_t m = markBase; m < targetMarks->size(); ++m)
                (*targetMarks)[m].offset -= base;
            currentMarks = targetMarks;
        }
    }
    if (m_steps.empty())
        out.append(segment);
}
