// Generates the fancy-letter table: for each style, the character that stands for each of
// A–Z, a–z and 0–9, or 0 where the style has none. Everything comes from UnicodeData.txt:
// the <font>, <circle>, <square>, <wide> and <super> decompositions, and the names of the
// characters that have no decomposition (negative circled letters and digits, small
// capitals). The mathematical alphabets leave holes where an older letterlike symbol
// already stood (italic h, script B, fraktur C…); those are filled with the symbol whose
// name says the same style.
//
// Usage: fancy_table UnicodeData.txt OUTPUT.cpp
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// In the order of FancyTable::Style.
const std::vector<std::string> styleNames = {
    "BOLD",
    "ITALIC",
    "BOLD ITALIC",
    "SCRIPT",
    "BOLD SCRIPT",
    "FRAKTUR",
    "BOLD FRAKTUR",
    "DOUBLE-STRUCK",
    "SANS-SERIF",
    "SANS-SERIF BOLD",
    "SANS-SERIF ITALIC",
    "SANS-SERIF BOLD ITALIC",
    "MONOSPACE",
    "CIRCLED",
    "NEGATIVE CIRCLED",
    "SQUARED",
    "FULLWIDTH",
    "SMALL CAPITAL",
    "SUPERSCRIPT",
};
constexpr int kSlots = 62;

[[noreturn]] void fail(const std::string &message)
{
    std::fprintf(stderr, "fancy_table: %s\n", message.c_str());
    std::exit(1);
}

int styleIndex(const std::string &name)
{
    for (std::size_t i = 0; i < styleNames.size(); ++i)
        if (styleNames[i] == name)
            return int(i);
    return -1;
}

// 'A' → 0 … 'Z' → 25, 'a' → 26 …, '0' → 52 …; -1 for anything else.
int slotOf(unsigned c)
{
    if (c >= 'A' && c <= 'Z')
        return int(c - 'A');
    if (c >= 'a' && c <= 'z')
        return 26 + int(c - 'a');
    if (c >= '0' && c <= '9')
        return 52 + int(c - '0');
    return -1;
}

// "CAPITAL A" / "SMALL A" / "DIGIT ZERO" → its slot, else -1.
int slotOfName(const std::string &rest)
{
    static const std::vector<std::string> digits
        = { "ZERO", "ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX", "SEVEN", "EIGHT", "NINE" };
    if (rest.size() == 9 && rest.rfind("CAPITAL ", 0) == 0 && rest[8] >= 'A' && rest[8] <= 'Z')
        return slotOf(unsigned(rest[8]));
    if (rest.size() == 7 && rest.rfind("SMALL ", 0) == 0 && rest[6] >= 'A' && rest[6] <= 'Z')
        return slotOf(unsigned(rest[6] - 'A' + 'a'));
    if (rest.rfind("DIGIT ", 0) == 0)
        for (std::size_t d = 0; d < digits.size(); ++d)
            if (rest.substr(6) == digits[d])
                return 52 + int(d);
    return -1;
}

struct Row
{
    unsigned code = 0;
    std::string name;
    std::string tag; // "<font>" …, empty without a tagged decomposition
    unsigned base = 0; // the one character decomposed to, 0 if several
};

std::vector<std::string> split(const std::string &line, char sep)
{
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, sep))
        out.push_back(field);
    return out;
}

std::string hex(unsigned c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%05X", c);
    return buf;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fancy_table UnicodeData.txt OUTPUT.cpp\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in)
        fail(std::string("cannot open ") + argv[1]);
    std::vector<Row> rows;
    std::string line;
    while (std::getline(in, line)) {
        const std::vector<std::string> f = split(line, ';');
        if (f.size() < 6)
            fail("malformed line: " + line);
        Row row;
        row.code = unsigned(std::strtoul(f[0].c_str(), nullptr, 16));
        row.name = f[1];
        const std::string &decomposition = f[5];
        if (!decomposition.empty() && decomposition[0] == '<') {
            const std::size_t close = decomposition.find('>');
            row.tag = decomposition.substr(0, close + 1);
            const std::string target = decomposition.substr(close + 2);
            if (target.find(' ') == std::string::npos)
                row.base = unsigned(std::strtoul(target.c_str(), nullptr, 16));
        }
        rows.push_back(row);
    }
    if (rows.size() < 30000)
        fail("too few characters; is this UnicodeData.txt?");

    std::vector<std::vector<unsigned>> table(styleNames.size(), std::vector<unsigned>(kSlots, 0));
    // Later candidates replace earlier ones only where the rule says so.
    const auto put = [&](const std::string &style, int slot, unsigned code, bool replace) {
        const int s = styleIndex(style);
        if (s < 0 || slot < 0)
            return;
        unsigned &cell = table[std::size_t(s)][std::size_t(slot)];
        if (!cell || replace)
            cell = code;
    };
    const auto preferredSuperscript = [](const std::string &name) {
        return name.rfind("SUPERSCRIPT ", 0) == 0 || name.rfind("MODIFIER LETTER ", 0) == 0;
    };
    std::map<int, std::pair<unsigned, bool>> superscripts; // slot → code, named as one
    for (const Row &row : rows) {
        const std::string &n = row.name;
        if (n.rfind("MATHEMATICAL ", 0) == 0 && row.tag == "<font>") {
            // "MATHEMATICAL <style> CAPITAL A"
            for (const char *kind : { " CAPITAL ", " SMALL ", " DIGIT " }) {
                const std::size_t at = n.find(kind);
                if (at == std::string::npos)
                    continue;
                put(n.substr(13, at - 13), slotOfName(n.substr(at + 1)), row.code, false);
            }
        } else if (row.tag == "<circle>" && n.rfind("CIRCLED ", 0) == 0) {
            put("CIRCLED", slotOf(row.base), row.code, false);
        } else if (row.tag == "<square>" && n.rfind("SQUARED LATIN ", 0) == 0) {
            put("SQUARED", slotOf(row.base), row.code, false);
        } else if (row.tag == "<wide>") {
            put("FULLWIDTH", slotOf(row.base), row.code, false);
        } else if (row.tag == "<super>" && slotOf(row.base) >= 0) {
            // A superscript or modifier letter before an ordinal indicator (ª, º).
            const int slot = slotOf(row.base);
            if (!superscripts.count(slot) || (preferredSuperscript(n) && !superscripts[slot].second))
                superscripts[slot] = { row.code, preferredSuperscript(n) };
        } else if (row.tag.empty() && n.rfind("NEGATIVE CIRCLED LATIN CAPITAL LETTER ", 0) == 0 && n.size() == 39) {
            const int slot = slotOf(unsigned(n[38]));
            put("NEGATIVE CIRCLED", slot, row.code, false);
            put("NEGATIVE CIRCLED", slot + 26, row.code, false);
        } else if (row.tag.empty() && n.rfind("DINGBAT NEGATIVE CIRCLED DIGIT ", 0) == 0) {
            put("NEGATIVE CIRCLED", slotOfName(n.substr(25)), row.code, false);
        } else if (row.tag.empty() && n == "NEGATIVE CIRCLED DIGIT ZERO") {
            put("NEGATIVE CIRCLED", 52, row.code, false);
        } else if (row.tag.empty() && n.rfind("LATIN LETTER SMALL CAPITAL ", 0) == 0 && n.size() == 28) {
            const int slot = slotOf(unsigned(n[27]));
            put("SMALL CAPITAL", slot, row.code, false);
            put("SMALL CAPITAL", slot + 26, row.code, false);
        }
    }
    for (const auto &[slot, choice] : superscripts)
        put("SUPERSCRIPT", slot, choice.first, false);
    // The older letterlike symbols fill the holes of the mathematical alphabets. Their names
    // say the style, except the italic h's.
    for (const Row &row : rows) {
        if (row.tag != "<font>" || row.name.rfind("MATHEMATICAL ", 0) == 0 || slotOf(row.base) < 0)
            continue;
        std::string style;
        if (row.name == "PLANCK CONSTANT")
            style = "ITALIC";
        else if (row.name.rfind("SCRIPT ", 0) == 0)
            style = "SCRIPT";
        else if (row.name.rfind("BLACK-LETTER ", 0) == 0)
            style = "FRAKTUR";
        else if (row.name.rfind("DOUBLE-STRUCK CAPITAL ", 0) == 0 || row.name.rfind("DOUBLE-STRUCK SMALL ", 0) == 0)
            style = "DOUBLE-STRUCK";
        else
            continue;
        put(style, slotOf(row.base), row.code, false);
    }

    std::ofstream out(argv[2], std::ios::binary);
    if (!out)
        fail(std::string("cannot write ") + argv[2]);
    out << "// Generated by tools/fancy_table from UnicodeData.txt; do not edit by hand.\n"
           "// For each style the characters for A-Z, a-z and 0-9; 0 where the style has none.\n"
           "// Kept as generated, which the regeneration check compares:\n"
           "// clang-format off\n"
           "#include \"decorate/FancyTable.h\"\n\n"
           "namespace FancyTable {\n\n"
           "const char32_t letters[StyleCount][SlotCount] = {\n";
    for (std::size_t s = 0; s < styleNames.size(); ++s) {
        out << "    // " << styleNames[s] << "\n    {";
        for (int i = 0; i < kSlots; ++i) {
            if (i == 26 || i == 52)
                out << "\n     ";
            else if (i % 13 == 0 && i)
                out << "\n     ";
            out << (i % 13 ? " " : "") << hex(table[s][std::size_t(i)]) << ",";
        }
        out << "},\n";
    }
    out << "};\n\n} // namespace FancyTable\n";
    out << "\nstatic_assert(FancyTable::StyleCount == " << styleNames.size() << ");\n";
    if (!out.flush())
        fail(std::string("cannot write ") + argv[2]);
    return 0;
}
