#include "convert/OpenccEngine.h"

#include <opencc/Conversion.hpp>
#include <opencc/ConversionChain.hpp>
#include <opencc/Converter.hpp>
#include <opencc/Dict.hpp>
#include <opencc/DictEntry.hpp>
#include <opencc/DictGroup.hpp>
#include <opencc/Lexicon.hpp>
#include <opencc/MaxMatchSegmentation.hpp>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <unordered_map>

namespace {

using ByteMark = OpenccEngine::ByteMark;
using Step = OpenccEngine::Step;

// A value of a one-character key is an open choice only where the step's own phrases use it
// for that character: in fewer than MinPhrases phrases it is a closed list that those
// phrases decide (麽 for 麼 in 幺麽…), and in less than 1 in ChoiceShare of the character's
// phrases it is a form modern text has left behind (瞭 for 了 outside 瞭解, 箇, 傢).
constexpr int MinPhrases = 10;
constexpr int ChoiceShare = 20;

// Bytes of the UTF-8 character that starts with lead; never more than remain.
std::size_t charLength(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(length, text.size() - pos);
}

std::vector<std::string_view> splitChars(std::string_view text)
{
    std::vector<std::string_view> chars;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = charLength(text, pos);
        chars.push_back(text.substr(pos, length));
        pos += length;
    }
    return chars;
}

void appendOnce(std::vector<std::string> &list, const std::string &value)
{
    if (std::find(list.begin(), list.end(), value) == list.end())
        list.push_back(value);
}

void collectLexicons(const opencc::DictPtr &dict, std::vector<opencc::LexiconPtr> &lexicons)
{
    if (const auto group = std::dynamic_pointer_cast<opencc::DictGroup>(dict)) {
        for (const opencc::DictPtr &member : group->GetDicts())
            collectLexicons(member, lexicons);
    } else {
        lexicons.push_back(dict->GetLexicon());
    }
}

// The open choices of a step: for each one-character key with several values, the values
// that the step's own phrases use often enough for that character.
OpenccEngine::Choices openChoices(const std::vector<opencc::LexiconPtr> &lexicons)
{
    struct Tally
    {
        std::vector<std::string> values;
        std::vector<int> uses; // phrases that use values[i] for the key
        int total = 0; // phrases that have the key
    };
    std::map<std::string, Tally, std::less<>> tallies;
    for (const opencc::LexiconPtr &lexicon : lexicons) {
        for (const auto &entry : *lexicon) {
            const std::string key = entry->Key();
            if (entry->NumValues() > 1 && charLength(key, 0) == key.size()) {
                Tally &tally = tallies[key];
                tally.values = entry->Values();
                tally.uses.assign(tally.values.size(), 0);
            }
        }
    }
    // Loading runs this over every phrase of every configuration: look characters up by
    // hash, and read a phrase's values only when it has a key of several values.
    std::unordered_map<std::string_view, Tally *> byKey;
    for (auto &[key, tally] : tallies)
        byKey.emplace(key, &tally);
    std::vector<std::pair<std::size_t, Tally *>> found;
    for (const opencc::LexiconPtr &lexicon : lexicons) {
        for (const auto &entry : *lexicon) {
            const std::string key = entry->Key();
            if (entry->NumValues() == 0 || charLength(key, 0) == key.size())
                continue;
            const std::vector<std::string_view> keyChars = splitChars(key);
            found.clear();
            for (std::size_t i = 0; i < keyChars.size(); ++i) {
                if (const auto tally = byKey.find(keyChars[i]); tally != byKey.end())
                    found.emplace_back(i, tally->second);
            }
            if (found.empty())
                continue;
            std::vector<std::string> values = entry->Values();
            std::sort(values.begin(), values.end());
            values.erase(std::unique(values.begin(), values.end()), values.end());
            for (const std::string &value : values) {
                const std::vector<std::string_view> valueChars = splitChars(value);
                if (valueChars.size() != keyChars.size())
                    continue;
                for (const auto &[i, tally] : found) {
                    ++tally->total;
                    const auto use = std::find(tally->values.begin(), tally->values.end(), valueChars[i]);
                    if (use != tally->values.end())
                        ++tally->uses[std::size_t(use - tally->values.begin())];
                }
            }
        }
    }
    OpenccEngine::Choices choices;
    for (const auto &[key, tally] : tallies) {
        std::vector<std::string> open { tally.values.front() };
        for (std::size_t i = 1; i < tally.values.size(); ++i) {
            if (tally.uses[i] >= MinPhrases && tally.uses[i] * ChoiceShare >= tally.total)
                appendOnce(open, tally.values[i]);
        }
        if (open.size() > 1)
            choices.emplace(key, std::move(open));
    }
    return choices;
}

// Where the values of a phrase differ: the smallest piece of each value around which all
// share the same characters. The first value's piece is at byte offset *offset of it. When
// a piece would be empty, the whole values are the pieces.
std::vector<std::string> differingPieces(const std::vector<std::string> &values, std::size_t *offset)
{
    std::vector<std::vector<std::string_view>> chars;
    std::size_t shortest = SIZE_MAX;
    for (const std::string &value : values) {
        chars.push_back(splitChars(value));
        shortest = std::min(shortest, chars.back().size());
    }
    const auto sameAt = [&](auto index) {
        return std::all_of(chars.begin(), chars.end(), [&](const auto &c) { return index(c) == index(chars[0]); });
    };
    std::size_t prefix = 0;
    while (prefix < shortest && sameAt([&](const auto &c) { return c[prefix]; }))
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < shortest - prefix && sameAt([&](const auto &c) { return c[c.size() - 1 - suffix]; }))
        ++suffix;
    std::vector<std::string> pieces;
    for (const auto &c : chars) {
        if (prefix + suffix == c.size())
            prefix = suffix = 0;
    }
    for (const auto &c : chars) {
        std::string piece;
        for (std::size_t i = prefix; i < c.size() - suffix; ++i)
            piece += c[i];
        appendOnce(pieces, piece);
    }
    *offset = 0;
    for (std::size_t i = 0; i < prefix; ++i)
        *offset += chars[0][i].size();
    return pieces;
}

// What a candidate becomes at a step: the choices of a key that is the whole candidate, or
// the candidate converted as the text is.
void appendImages(const Step &step, const std::string &candidate, std::vector<std::string> &images)
{
    const auto whole = step.dict->MatchPrefix(candidate.data(), candidate.size());
    if (!whole.IsNull() && whole.Get()->KeyLength() == candidate.size()) {
        const opencc::DictEntry *entry = whole.Get();
        if (const auto choices = step.choices->find(candidate); choices != step.choices->end()) {
            for (const std::string &value : choices->second)
                appendOnce(images, value);
        } else if (charLength(candidate, 0) < candidate.size() && entry->NumValues() > 1) {
            for (const std::string &value : entry->Values())
                appendOnce(images, value);
        } else {
            appendOnce(images, entry->NumValues() > 0 ? entry->GetDefault() : candidate);
        }
        return;
    }
    std::string converted;
    for (std::size_t pos = 0; pos < candidate.size();) {
        const auto match = step.dict->MatchPrefix(candidate.data() + pos, candidate.size() - pos);
        if (match.IsNull()) {
            const std::size_t length = charLength(candidate, pos);
            converted.append(candidate, pos, length);
            pos += length;
        } else {
            converted += match.Get()->GetDefault();
            pos += match.Get()->KeyLength();
        }
    }
    appendOnce(images, converted);
}

// One step of the chain: at each place the longest key of the step's dictionary is replaced
// by its first value; a character without a key is kept. Appends to out. With outMarks, a
// marked piece whose ends the step's keys keep goes on with its candidates carried along;
// a piece that a longer key covers in part is decided. Where no mark goes on, a key of one
// character with open choices, or a phrase with several values, makes a new mark.
void applyStep(const Step &step, std::string_view in, const std::vector<ByteMark> &inMarks, std::string &out,
    std::vector<ByteMark> *outMarks)
{
    constexpr std::size_t None = SIZE_MAX;
    std::size_t pos = 0;
    std::size_t nextMark = 0;
    std::size_t markOut = None; // where inMarks[nextMark] starts in out, once it has
    while (pos < in.size()) {
        const std::size_t charLen = charLength(in, pos);
        const auto match = step.dict->MatchPrefix(in.data() + pos, in.size() - pos);
        const std::size_t outStart = out.size();
        std::size_t keyLen = charLen;
        const opencc::DictEntry *entry = match.IsNull() ? nullptr : match.Get();
        if (!entry) {
            out.append(in.substr(pos, charLen));
        } else {
            keyLen = entry->KeyLength();
            out += entry->GetDefault();
        }
        const std::size_t keyEnd = pos + keyLen;
        if (!outMarks) {
            pos = keyEnd;
            continue;
        }
        bool covered = false;
        while (nextMark < inMarks.size() && inMarks[nextMark].offset < keyEnd) {
            const ByteMark &mark = inMarks[nextMark];
            const std::size_t markEnd = mark.offset + mark.candidates.front().size();
            if (mark.offset == pos)
                markOut = outStart;
            if (markOut == None || markEnd < keyEnd) {
                // A key reaches across one of its ends.
                ++nextMark;
                markOut = None;
                continue;
            }
            covered = true;
            if (markEnd > keyEnd)
                break;
            ByteMark carried { markOut, { out.substr(markOut) } };
            for (const std::string &candidate : mark.candidates)
                appendImages(step, candidate, carried.candidates);
            outMarks->push_back(std::move(carried));
            ++nextMark;
            markOut = None;
        }
        if (!covered && entry && entry->NumValues() > 1) {
            if (keyLen == charLen) {
                if (const auto choices = step.choices->find(in.substr(pos, charLen)); choices != step.choices->end())
                    outMarks->push_back({ outStart, choices->second });
            } else {
                std::size_t offset = 0;
                std::vector<std::string> pieces = differingPieces(entry->Values(), &offset);
                if (pieces.size() > 1)
                    outMarks->push_back({ outStart + offset, std::move(pieces) });
            }
        }
        pos = keyEnd;
    }
}

} // namespace

OpenccEngine::OpenccEngine(const opencc::ConverterPtr &converter, ChoiceCache *cache)
{
    const auto segmentation = std::dynamic_pointer_cast<opencc::MaxMatchSegmentation>(converter->GetSegmentation());
    if (!segmentation)
        throw std::runtime_error("segmentation other than maximum matching");
    m_segmentation = segmentation->GetDict();
    for (const opencc::ConversionPtr &conversion : converter->GetConversionChain()->GetConversions()) {
        std::vector<opencc::LexiconPtr> lexicons;
        collectLexicons(conversion->GetDict(), lexicons);
        std::vector<const void *> key;
        for (const opencc::LexiconPtr &lexicon : lexicons)
            key.push_back(lexicon.get());
        std::shared_ptr<const Choices> choices;
        if (cache)
            choices = (*cache)[key];
        if (!choices) {
            choices = std::make_shared<const Choices>(openChoices(lexicons));
            if (cache)
                (*cache)[key] = choices;
        }
        m_steps.push_back({ conversion->GetDict(), choices });
    }
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
        applyStep(m_steps[i], current, *currentMarks, target, targetMarks);
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
