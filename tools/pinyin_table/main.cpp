// Generates the pinyin table of the search: for every syllable (tones dropped, ü written
// v), the Han characters that code page 936 holds and that have it among their readings.
// Readings come from the Unihan fields kMandarin, kHanyuPinyin, kXHC1983 and kTGHZ2013,
// all of them, so that a polyphonic character is found by each of its sounds.
//
// Usage: pinyin_table Unihan_Readings.txt.bz2 OUTPUT.cpp
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
    std::fprintf(stderr, "pinyin_table: %s\n", message.c_str());
    std::exit(1);
}

std::string readBzip2(const char *path)
{
    FILE *file = std::fopen(path, "rb");
    if (!file)
        fail(std::string("cannot open ") + path);
    int error = BZ_OK;
    BZFILE *bz = BZ2_bzReadOpen(&error, file, 0, 0, nullptr, 0);
    if (error != BZ_OK)
        fail(std::string("not a bzip2 file: ") + path);
    std::string text;
    char buffer[65536];
    while (error == BZ_OK) {
        const int n = BZ2_bzRead(&error, bz, buffer, sizeof buffer);
        if (error == BZ_OK || error == BZ_STREAM_END)
            text.append(buffer, std::size_t(n));
    }
    BZ2_bzReadClose(&error, bz);
    std::fclose(file);
    if (text.empty())
        fail(std::string("cannot read ") + path);
    return text;
}

// True when code page 936 holds the character as one two-byte code.
bool inGbk(UChar32 c)
{
    static UConverter *conv = [] {
        UErrorCode status = U_ZERO_ERROR;
        UConverter *cv = ucnv_open("windows-936", &status);
        if (U_FAILURE(status))
            fail("windows-936 converter missing");
        ucnv_setFromUCallBack(cv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        return cv;
    }();
    const icu::UnicodeString text(c);
    char buf[8];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(conv);
    const int32_t n = ucnv_fromUChars(conv, buf, sizeof buf, text.getBuffer(), text.length(), &status);
    return U_SUCCESS(status) && n == 2;
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

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: pinyin_table Unihan_Readings.txt.bz2 OUTPUT.cpp\n");
        return 2;
    }
    const std::string text = readBzip2(argv[1]);
    const std::set<std::string> fields = { "kMandarin", "kHanyuPinyin", "kXHC1983", "kTGHZ2013" };

    std::string unicodeVersion;
    std::map<std::string, std::set<UChar32>> bySyllable;
    std::set<UChar32> characters;
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
        if (!fields.count(line.substr(tab1 + 1, tab2 - tab1 - 1)))
            continue;
        const UChar32 c = UChar32(std::strtol(line.c_str() + 2, nullptr, 16));
        if (!inGbk(c))
            continue;
        for (const std::string &syllable : readingsOf(line.substr(tab2 + 1))) {
            bySyllable[syllable].insert(c);
            characters.insert(c);
        }
    }
    if (unicodeVersion.empty() || characters.size() < 20000)
        fail("too few characters; is this the Unihan readings file?");

    std::ofstream out(argv[2], std::ios::binary);
    if (!out)
        fail(std::string("cannot write ") + argv[2]);
    out << "// Generated by tools/pinyin_table from the Unihan readings of Unicode " << unicodeVersion
        << "; do not edit by hand.\n"
           "// Each syllable with the characters that have it among their readings.\n"
           "// Kept as generated, which the regeneration check compares:\n"
           "// clang-format off\n"
           "#include \"find/PinyinTable.h\"\n\n"
           "namespace PinyinTable {\n\n"
           "const Syllable syllables[syllableCount] = {\n";
    for (const auto &[syllable, chars] : bySyllable) {
        out << "    {\"" << syllable << "\",\n";
        int n = 0;
        for (const UChar32 c : chars) {
            if (n % kCharactersPerLine == 0)
                out << (n ? "\"\n" : "") << "        u\"";
            out << utf8(c);
            ++n;
        }
        out << "\"},\n";
    }
    out << "};\n\n} // namespace PinyinTable\n";
    out << "\nstatic_assert(PinyinTable::syllableCount == " << bySyllable.size() << ");\n";
    if (!out.flush())
        fail(std::string("cannot write ") + argv[2]);
    std::fprintf(stderr, "pinyin_table: %zu characters, %zu syllables\n", characters.size(), bySyllable.size());
    return 0;
}
