// Generates the 火星文 table: for each Han character that code page 936 holds, the form the
// light strength writes (its traditional form, else a variant form: Unihan's
// kTraditionalVariant, kZVariant, kSemanticVariant in that order) and the one the heavy
// strength writes (the first look-alike of decorate/lookalikes.txt, else a
// kSpoofingVariant, else the light form). Only forms in the unified ideographs block are
// taken from Unihan, so that the usual Chinese fonts draw them.
//
// Usage: mars_table Unihan_Variants.txt.bz2 lookalikes.txt OUTPUT.cpp
#include "tools/common/GeneratorSupport.h"

#include <bzlib.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string &message)
{
    GeneratorSupport::fail("mars_table", message);
}

std::string readBzip2(const char *path)
{
    return GeneratorSupport::readBzip2("mars_table", path);
}

bool inGbk(UChar32 c)
{
    return GeneratorSupport::inGbk("mars_table", c);
}

bool unified(UChar32 c)
{
    return c >= 0x4E00 && c <= 0x9FFF;
}

std::string utf8(UChar32 c)
{
    std::string s;
    icu::UnicodeString(c).toUTF8String(s);
    return s;
}

// "U+842C<kMatthews U+4E07" → the code points, in order. With `attested`, only those given
// without a source or by at least two: a variant only one dictionary knows (子 for 只) is
// no form a reader expects.
std::vector<UChar32> codes(const std::string &value, bool attested)
{
    std::vector<UChar32> out;
    std::istringstream items(value);
    std::string item;
    while (items >> item) {
        if (item.rfind("U+", 0) != 0)
            continue;
        const std::size_t sources = item.find('<');
        if (attested && sources != std::string::npos && item.find(',', sources) == std::string::npos)
            continue;
        out.push_back(UChar32(std::strtol(item.c_str() + 2, nullptr, 16)));
    }
    return out;
}

// The hand-made list; the generator refuses a malformed one, saying which line.
std::map<UChar32, UChar32> readLookalikes(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail(std::string("cannot open ") + path);
    std::map<UChar32, UChar32> first;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        const icu::UnicodeString text = icu::UnicodeString::fromUTF8(line);
        const int32_t tab = text.indexOf(char16_t(u'\t'));
        const auto bad = [&](const char *why) { fail(std::string(path) + ":" + std::to_string(number) + ": " + why); };
        if (tab < 0 || text.countChar32(0, tab) != 1)
            bad("expected one character, a tab, then its look-alikes");
        const UChar32 c = text.char32At(0);
        if (first.count(c))
            bad("character listed twice");
        const icu::UnicodeString rest = text.tempSubString(tab + 1);
        if (rest.isEmpty())
            bad("no look-alike");
        UChar32 chosen = -1;
        for (int32_t i = 0; i < rest.length();) {
            const UChar32 x = rest.char32At(i);
            i += U16_LENGTH(x);
            if (x == u' ')
                continue;
            if (x == c)
                bad("a character is not its own look-alike");
            if (i < rest.length() && rest.char32At(i) != u' ')
                bad("look-alikes are single characters separated by spaces");
            if (chosen < 0)
                chosen = x;
        }
        first[c] = chosen;
    }
    return first;
}

void writeTable(std::ofstream &out, const char *name, const std::map<UChar32, UChar32> &pairs)
{
    out << "const Pair " << name << "Pairs[] = {\n";
    int n = 0;
    for (const auto &[from, to] : pairs) {
        out << (n % 8 == 0 ? "    " : " ") << "{U'" << utf8(from) << "', U'" << utf8(to) << "'},";
        if (++n % 8 == 0)
            out << "\n";
    }
    out << (n % 8 ? "\n" : "") << "};\nconst std::span<const Pair> " << name << "(" << name << "Pairs);\n\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: mars_table Unihan_Variants.txt.bz2 lookalikes.txt OUTPUT.cpp\n");
        return 2;
    }
    const std::map<UChar32, UChar32> lookalikes = readLookalikes(argv[2]);
    const std::string text = readBzip2(argv[1]);

    std::string unicodeVersion;
    // field → character → its variants, as listed
    std::map<std::string, std::map<UChar32, std::vector<UChar32>>> variants;
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
        const std::string field = line.substr(tab1 + 1, tab2 - tab1 - 1);
        if (field != "kTraditionalVariant" && field != "kZVariant" && field != "kSemanticVariant"
            && field != "kSpoofingVariant")
            continue;
        const UChar32 c = UChar32(std::strtol(line.c_str() + 2, nullptr, 16));
        variants[field][c] = codes(line.substr(tab2 + 1), field == "kSemanticVariant");
    }
    if (unicodeVersion.empty() || variants["kTraditionalVariant"].size() < 2000)
        fail("too few variants; is this the Unihan variants file?");

    const auto firstOther = [&](const char *field, UChar32 c) -> UChar32 {
        const auto &map = variants[field];
        const auto found = map.find(c);
        if (found == map.end())
            return -1;
        for (const UChar32 v : found->second)
            if (v != c && unified(v))
                return v;
        return -1;
    };
    std::map<UChar32, UChar32> light;
    std::map<UChar32, UChar32> heavy;
    for (UChar32 c = 0x4E00; c <= 0x9FFF; ++c) {
        if (!inGbk(c))
            continue;
        UChar32 l = firstOther("kTraditionalVariant", c);
        if (l < 0)
            l = firstOther("kZVariant", c);
        if (l < 0)
            l = firstOther("kSemanticVariant", c);
        if (l >= 0)
            light[c] = l;
        UChar32 h = -1;
        if (const auto found = lookalikes.find(c); found != lookalikes.end())
            h = found->second;
        if (h < 0)
            h = firstOther("kSpoofingVariant", c);
        if (h < 0)
            h = l;
        if (h >= 0)
            heavy[c] = h;
    }
    for (const auto &[c, to] : lookalikes)
        if (!heavy.count(c))
            fail("look-alike for a character outside code page 936's Han: " + utf8(c));

    std::ofstream out(argv[3], std::ios::binary);
    if (!out)
        fail(std::string("cannot write ") + argv[3]);
    out << "// Generated by tools/mars_table from the Unihan variants of Unicode " << unicodeVersion
        << " and decorate/lookalikes.txt;\n"
           "// do not edit by hand. Each character with the form it takes.\n"
           "// Kept as generated, which the regeneration check compares:\n"
           "// clang-format off\n"
           "#include \"decorate/MarsTable.h\"\n\n"
           "namespace MarsTable {\n\n";
    writeTable(out, "light", light);
    writeTable(out, "heavy", heavy);
    out << "} // namespace MarsTable\n";
    if (!out.flush())
        fail(std::string("cannot write ") + argv[3]);
    std::fprintf(stderr, "mars_table: %zu light, %zu heavy\n", light.size(), heavy.size());
    return 0;
}
