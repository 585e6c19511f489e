// Generates the pinyin table of the search: for every syllable (tones dropped, ü written
// v), the Han characters that code page 936 holds and that have it among their readings,
// in two tiers. Common readings are those of today's standard dictionary (kTGHZ2013), or
// kMandarin for a character it lacks; every other reading of kMandarin, kHanyuPinyin and
// kXHC1983 is rare, so that an archaic sound (不 fū, 有 wèi) finds a character only after
// every entry found through everyday ones. A traditional character also takes the common
// readings of its simplified forms (kSimplifiedVariant), and their rare ones as rare: 沒
// reads méi and mò like 没.
//
// Usage: pinyin_table Unihan_Readings.txt.bz2 Unihan_Variants.txt.bz2 OUTPUT.cpp
#include "tools/common/GeneratorSupport.h"

#include <bzlib.h>
#include <unicode/normalizer2.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kCharactersPerLine = 40;

[[noreturn]] void fail(const std::string &message)
{
    GeneratorSupport::fail("pinyin_table", message);
}

std::string readBzip2(const char *path)
{
    return GeneratorSupport::readBzip2("pinyin_table", path);
}

bool inGbk(UChar32 c)
{
    return GeneratorSupport::inGbk("pinyin_table", c);
}

// "zhǎng" → "zhang", "nǚ" → "nv", "ê̄" → "e".
std::string plainSyllable(const std::string &reading)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2 *nfd = icu::Normalizer2::getNFDInstance(status);
    const icu::UnicodeString decomposed = nfd->normalize(icu::UnicodeString::fromUTF8(reading), status);
    if (U_FAILURE(status))
        fail("cannot decompose " + reading);
    std::string out;
    for (int32_t i = 0; i < decomposed.length(); ++i) {
        const char16_t c = decomposed[i];
        if (c == 0x0308 && !out.empty() && out.back() == 'u')
            out.back() = 'v';
        else if (c >= 0x0300 && c <= 0x036F)
            continue;
        else if (c >= 'A' && c <= 'Z')
            out += char(c - 'A' + 'a');
        else if (c >= 'a' && c <= 'z')
            out += char(c);
        else
            fail("unexpected letter in reading " + reading);
    }
    if (out.empty())
        fail("empty reading");
    return out;
}

// A field value: space-separated items, each "location:reading,reading" or a bare reading.
std::vector<std::string> readingsOf(const std::string &value)
{
    std::vector<std::string> out;
    std::istringstream items(value);
    std::string item;
    while (items >> item) {
        const std::size_t colon = item.rfind(':');
        std::string list = colon == std::string::npos ? item : item.substr(colon + 1);
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t comma = list.find(',', start);
            const std::string one = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (!one.empty())
                out.push_back(plainSyllable(one));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
    }
    return out;
}

std::string utf8(UChar32 c)
{
    std::string s;
    icu::UnicodeString(c).toUTF8String(s);
    return s;
}

// Calls `use(character, field, value)` for every data line of a Unihan file; returns the
// Unicode version its header names.
template <typename Use> std::string forEachLine(const std::string &text, Use use)
{
    std::string unicodeVersion;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("# Unicode version: ", 0) == 0)
            unicodeVersion = line.substr(19);
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = line.find('\t', tab1 + 1);
        if (line.rfind("U+", 0) != 0 || tab1 == std::string::npos || tab2 == std::string::npos)
            fail("malformed line: " + line);
        use(UChar32(std::strtol(line.c_str() + 2, nullptr, 16)), line.substr(tab1 + 1, tab2 - tab1 - 1),
            line.substr(tab2 + 1));
    }
    return unicodeVersion;
}

using Readings = std::set<std::string>;

void writeCharacters(std::ofstream &out, const std::set<UChar32> &chars)
{
    if (chars.empty()) {
        out << "u\"\"";
        return;
    }
    int n = 0;
    for (const UChar32 c : chars) {
        if (n % kCharactersPerLine == 0)
            out << (n ? "\"\n" : "") << "        u\"";
        out << utf8(c);
        ++n;
    }
    out << '"';
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: pinyin_table Unihan_Readings.txt.bz2 Unihan_Variants.txt.bz2 OUTPUT.cpp\n");
        return 2;
    }
    std::map<UChar32, Readings> standard, mandarin, other;
    const std::string unicodeVersion
        = forEachLine(readBzip2(argv[1]), [&](UChar32 c, const std::string &field, const std::string &value) {
              std::map<UChar32, Readings> *into = field == "kTGHZ2013" ? &standard
                  : field == "kMandarin"                               ? &mandarin
                  : field == "kHanyuPinyin" || field == "kXHC1983"     ? &other
                                                                       : nullptr;
              if (!into)
                  return;
              for (const std::string &syllable : readingsOf(value))
                  (*into)[c].insert(syllable);
          });
    std::map<UChar32, std::set<UChar32>> simplified;
    forEachLine(readBzip2(argv[2]), [&](UChar32 c, const std::string &field, const std::string &value) {
        if (field != "kSimplifiedVariant")
            return;
        std::istringstream items(value);
        std::string item;
        while (items >> item) {
            if (item.rfind("U+", 0) != 0)
                fail("malformed variant: " + value);
            const UChar32 s = UChar32(std::strtol(item.c_str() + 2, nullptr, 16));
            if (s != c)
                simplified[c].insert(s);
        }
    });
    if (unicodeVersion.empty() || standard.size() < 8000 || simplified.size() < 2000)
        fail("too few characters; are these the Unihan readings and variants files?");

    const auto commonOf = [&](UChar32 c) {
        const auto s = standard.find(c);
        if (s != standard.end())
            return s->second;
        const auto m = mandarin.find(c);
        return m != mandarin.end() ? m->second : Readings();
    };
    std::map<std::string, std::pair<std::set<UChar32>, std::set<UChar32>>> bySyllable;
    std::set<UChar32> characters;
    std::size_t inherited = 0;
    for (UChar32 c = 0x3400; c < 0x10000; ++c) {
        if (!inGbk(c))
            continue;
        Readings common = commonOf(c);
        Readings all = common;
        const auto readAll = [&](UChar32 of) {
            for (const auto *field : { &standard, &mandarin, &other }) {
                const auto it = field->find(of);
                if (it != field->end())
                    all.insert(it->second.begin(), it->second.end());
            }
        };
        readAll(c);
        const auto variants = simplified.find(c);
        if (variants != simplified.end()) {
            for (const UChar32 s : variants->second) {
                for (const std::string &r : commonOf(s))
                    inherited += common.insert(r).second;
                readAll(s);
            }
        }
        for (const std::string &r : all) {
            auto &tiers = bySyllable[r];
            (common.count(r) ? tiers.first : tiers.second).insert(c);
            characters.insert(c);
        }
    }
    if (characters.size() < 20000)
        fail("too few characters of code page 936 with readings");

    std::ofstream out(argv[3], std::ios::binary);
    if (!out)
        fail(std::string("cannot write ") + argv[3]);
    out << "// Generated by tools/pinyin_table from the Unihan readings and variants of Unicode " << unicodeVersion
        << "; do not edit by hand.\n"
           "// Each syllable with the characters for which it is a common reading, then those that\n"
           "// have it only among their rare readings.\n"
           "// Kept as generated, which the regeneration check compares:\n"
           "// clang-format off\n"
           "#include \"find/PinyinTable.h\"\n\n"
           "namespace PinyinTable {\n\n"
           "const Syllable syllables[syllableCount] = {\n";
    std::size_t common = 0, rare = 0;
    for (const auto &[syllable, tiers] : bySyllable) {
        out << "    {\"" << syllable << "\",\n";
        writeCharacters(out, tiers.first);
        out << ",\n";
        writeCharacters(out, tiers.second);
        out << "},\n";
        common += tiers.first.size();
        rare += tiers.second.size();
    }
    out << "};\n\n} // namespace PinyinTable\n";
    out << "\nstatic_assert(PinyinTable::syllableCount == " << bySyllable.size() << ");\n";
    if (!out.flush())
        fail(std::string("cannot write ") + argv[3]);
    std::fprintf(stderr,
        "pinyin_table: %zu characters, %zu syllables, %zu common and %zu rare readings, %zu taken from "
        "simplified forms\n",
        characters.size(), bySyllable.size(), common, rare, inherited);
    return 0;
}
