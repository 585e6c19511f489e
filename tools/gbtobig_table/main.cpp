// Generates the pair table of the table converter (TGbToBig).
//
// The simplified side is the GB2312 level-1 hanzi in code order, without 恰 (0xC7A1), and
// with the block 0xBDDB..0xBEA4 moved behind 0xBEF4. The traditional side is what ICU's
// "Simplified-Traditional" transform makes of each character, except for the fixed
// entries below (look-alike characters, other traditional forms, characters kept as they
// are), which override it.
//
// The result must have 2370 unchanged and 1384 changed entries and exactly thirteen
// traditional codes that occur twice; the generator refuses to write anything else.
// With ICU 72 the transform alone already gives 脏→髒 (older versions gave 臟), so that
// entry of the other-forms list changes nothing there; every other transform result that
// the table relies on is the same, and ICU 72 gives exactly the counts above.
//
// Usage: gbtobig_table OUTPUT.cpp
#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/uscript.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

struct Pair
{
    const char *simplified; // UTF-8, one character
    const char *traditional;
};

// A common character written as a look-alike or related one. U+E816 and U+E817 are
// what code page 936 makes of 0xFE51 and 0xFE52.
const Pair kLookAlike[] = {
    { "昂", "昻" },
    { "保", "葆" },
    { "本", "夲" },
    { "不", "吥" },
    { "采", "綵" },
    { "大", "\uE816" },
    { "的", "菂" },
    { "迭", "疊" },
    { "都", "兜" },
    { "躲", "躱" },
    { "耳", "鉺" },
    { "放", "倣" },
    { "皋", "臯" },
    { "公", "厷" },
    { "狗", "豿" },
    { "孤", "菰" },
    { "硅", "矽" },
    { "果", "裹" },
    { "好", "恏" },
    { "黑", "黒" },
    { "花", "婲" },
    { "回", "囬" },
    { "己", "巳" },
    { "碱", "堿" },
    { "硷", "鹼" },
    { "秸", "稭" },
    { "界", "屆" },
    { "可", "苛" },
    { "老", "咾" },
    { "了", "ㄋ" },
    { "凌", "淩" },
    { "美", "羙" },
    { "明", "朙" },
    { "男", "侽" },
    { "能", "螚" },
    { "你", "伱" },
    { "年", "哖" },
    { "女", "籹" },
    { "配", "蓜" },
    { "片", "爿" },
    { "扦", "扡" },
    { "青", "靑" },
    { "全", "荃" },
    { "人", "秂" },
    { "日", "ㄖ" },
    { "肉", "禸" },
    { "如", "茹" },
    { "叁", "三" },
    { "傻", "儍" },
    { "上", "丄" },
    { "生", "苼" },
    { "失", "夨" },
    { "世", "丗" },
    { "事", "亊" },
    { "是", "褆" },
    { "手", "掱" },
    { "叔", "菽" },
    { "水", "氺" },
    { "他", "祂" },
    { "抬", "擡" },
    { "太", "冭" },
    { "天", "兲" },
    { "同", "茼" },
    { "偷", "偸" },
    { "忘", "莣" },
    { "我", "莪" },
    { "下", "丅" },
    { "小", "尐" },
    { "心", "惢" },
    { "幸", "緈" },
    { "需", "繻" },
    { "丫", "吖" },
    { "要", "葽" },
    { "也", "乜" },
    { "一", "\uE817" },
    { "彝", "彜" },
    { "以", "苡" },
    { "永", "詠" },
    { "用", "甪" },
    { "由", "甴" },
    { "有", "囿" },
    { "佑", "祐" },
    { "原", "願" },
    { "岳", "嶽" },
    { "月", "鈅" },
    { "札", "劄" },
    { "珍", "鉁" },
    { "值", "値" },
    { "只", "祗" },
    { "猪", "瀦" },
    { "子", "孓" },
    { "自", "臫" },
    { "走", "赱" },
    { "最", "蕞" },
};

// Another of several traditional forms than the transform picks.
const Pair kOtherForm[] = {
    { "翱", "翺" },
    { "鳖", "鼈" },
    { "钵", "缽" },
    { "卜", "蔔" },
    { "产", "産" },
    { "痴", "癡" },
    { "冲", "沖" },
    { "复", "複" },
    { "干", "幹" },
    { "划", "劃" },
    { "汇", "彙" },
    { "伙", "夥" },
    { "饥", "饑" },
    { "克", "剋" },
    { "里", "裏" },
    { "历", "曆" },
    { "么", "麽" },
    { "霉", "黴" },
    { "捻", "撚" },
    { "啮", "齧" },
    { "竖", "豎" },
    { "叹", "歎" },
    { "为", "爲" },
    { "伪", "僞" },
    { "污", "汙" },
    { "咸", "鹹" },
    { "闲", "閑" },
    { "向", "嚮" },
    { "颜", "顔" },
    { "艳", "豔" },
    { "游", "遊" },
    { "吁", "籲" },
    { "御", "禦" },
    { "欲", "慾" },
    { "酝", "醞" },
    { "脏", "髒" },
    { "灶", "竈" },
    { "扎", "紮" },
    { "真", "眞" },
    { "钟", "鍾" },
    { "众", "衆" },
};

// Kept as they are although the transform has a traditional form.
const char *const kKept[] = {
    "杆",
    "杠",
    "挂",
    "恒",
    "迹",
    "棱",
    "厘",
    "漓",
    "呐",
    "抛",
    "仆",
    "刹",
    "舍",
    "虱",
    "挽",
    "喂",
    "泄",
    "占",
    "征",
};

constexpr int kCodesPerLine = 90;
constexpr int kLineCount = 42;
constexpr int kUnchanged = 2370;
constexpr int kChanged = 1384;
constexpr int kDuplicates = 13;

[[noreturn]] void fail(const std::string &message)
{
    std::fprintf(stderr, "gbtobig_table: %s\n", message.c_str());
    std::exit(1);
}

struct Codec
{
    UConverter *conv = nullptr;
    Codec()
    {
        UErrorCode status = U_ZERO_ERROR;
        conv = ucnv_open("windows-936", &status);
        if (U_FAILURE(status))
            fail("windows-936 converter missing");
        ucnv_setFromUCallBack(conv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        ucnv_setToUCallBack(conv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    }
    ~Codec() { ucnv_close(conv); }

    // The two-byte code of one character, or 0 when it has none.
    unsigned encode(const icu::UnicodeString &text) const
    {
        char buf[8];
        UErrorCode status = U_ZERO_ERROR;
        ucnv_resetFromUnicode(conv);
        const int32_t n = ucnv_fromUChars(conv, buf, sizeof buf, text.getBuffer(), text.length(), &status);
        if (U_FAILURE(status) || n != 2)
            return 0;
        return (unsigned(uint8_t(buf[0])) << 8) | uint8_t(buf[1]);
    }

    icu::UnicodeString decode(unsigned code) const
    {
        const char bytes[2] = { char(code >> 8), char(code & 0xFF) };
        UChar buf[4];
        UErrorCode status = U_ZERO_ERROR;
        ucnv_resetToUnicode(conv);
        const int32_t n = ucnv_toUChars(conv, buf, 4, bytes, 2, &status);
        if (U_FAILURE(status) || n != 1)
            fail("code without a character: " + std::to_string(code));
        return icu::UnicodeString(buf, n);
    }
};

std::vector<unsigned> simplifiedOrder()
{
    std::vector<unsigned> codes;
    auto range = [&](unsigned from, unsigned to) {
        for (unsigned code = from; code <= to; ++code) {
            if ((code & 0xFF) >= 0xA1 && (code & 0xFF) <= 0xFE)
                codes.push_back(code);
        }
    };
    range(0xB0A1, 0xBDDA);
    range(0xBEA5, 0xBEF4);
    range(0xBDDB, 0xBEA4);
    range(0xBEF5, 0xC6FE);
    range(0xC7A2, 0xD7F9);
    return codes;
}

std::string utf8(const icu::UnicodeString &s)
{
    std::string out;
    s.toUTF8String(out);
    return out;
}

std::string escaped(const std::vector<unsigned> &codes, size_t from, size_t to)
{
    std::string out;
    char buf[16];
    for (size_t i = from; i < to; ++i) {
        std::snprintf(buf, sizeof buf, "\\x%02X\\x%02X", codes[i] >> 8, codes[i] & 0xFF);
        out += buf;
    }
    return out;
}

// A readable comment for a run of codes; the private-use targets are named by their code.
std::string readable(const Codec &codec, const std::vector<unsigned> &codes, size_t from, size_t to)
{
    std::string out;
    for (size_t i = from; i < to; ++i) {
        if (codes[i] >= 0xFE40) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "<%04X>", codes[i]);
            out += buf;
        } else {
            out += utf8(codec.decode(codes[i]));
        }
    }
    return out;
}

void writeList(std::ofstream &out, const Codec &codec, const char *name, const std::vector<unsigned> &codes)
{
    out << "const std::string_view " << name << "[lineCount] = {\n";
    for (int line = 0; line < kLineCount; ++line) {
        const size_t begin = size_t(line) * kCodesPerLine;
        const size_t end = std::min(codes.size(), begin + kCodesPerLine);
        out << "    // line " << (line + 1) << "\n";
        for (size_t piece = begin; piece < end; piece += 15) {
            const size_t pieceEnd = std::min(end, piece + 15);
            out << "    /* " << readable(codec, codes, piece, pieceEnd) << " */ \"" << escaped(codes, piece, pieceEnd)
                << "\"" << (pieceEnd == end ? "," : "") << "\n";
        }
    }
    out << "};\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: gbtobig_table OUTPUT.cpp\n");
        return 2;
    }
    const Codec codec;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> toTraditional(
        icu::Transliterator::createInstance("Simplified-Traditional", UTRANS_FORWARD, status));
    if (U_FAILURE(status))
        fail("ICU transform Simplified-Traditional missing");

    const std::vector<unsigned> simplified = simplifiedOrder();
    if (simplified.size() != size_t(kCodesPerLine * (kLineCount - 1) + 64))
        fail("wrong number of simplified codes");

    std::map<unsigned, unsigned> fixed;
    auto fix = [&](const char *from, const char *to) {
        const unsigned f = codec.encode(icu::UnicodeString::fromUTF8(from));
        const unsigned t = codec.encode(icu::UnicodeString::fromUTF8(to));
        if (!f || !t)
            fail(std::string("fixed entry without a code: ") + from);
        if (!fixed.emplace(f, t).second)
            fail(std::string("fixed entry twice: ") + from);
    };
    for (const Pair &p : kLookAlike)
        fix(p.simplified, p.traditional);
    for (const Pair &p : kOtherForm)
        fix(p.simplified, p.traditional);
    for (const char *c : kKept)
        fix(c, c);

    std::vector<unsigned> traditional;
    std::set<unsigned> used;
    for (unsigned code : simplified) {
        unsigned target = code;
        if (auto it = fixed.find(code); it != fixed.end()) {
            target = it->second;
            used.insert(code);
        } else {
            icu::UnicodeString s = codec.decode(code);
            toTraditional->transliterate(s);
            // Only a single character that code page 936 holds can stand in the table.
            if (s.countChar32() == 1) {
                if (const unsigned t = codec.encode(s))
                    target = t;
            }
        }
        traditional.push_back(target);
    }
    if (used.size() != fixed.size())
        fail("a fixed entry names a character outside the table");

    int unchanged = 0;
    std::map<unsigned, int> seen;
    for (size_t i = 0; i < simplified.size(); ++i) {
        unchanged += simplified[i] == traditional[i];
        ++seen[traditional[i]];
    }
    int duplicates = 0;
    for (const auto &[code, n] : seen)
        duplicates += n > 1;
    const int changed = int(simplified.size()) - unchanged;
    if (unchanged != kUnchanged || changed != kChanged || duplicates != kDuplicates) {
        fail("unexpected table: " + std::to_string(unchanged) + " unchanged, " + std::to_string(changed) + " changed, "
            + std::to_string(duplicates) + " duplicated traditional codes");
    }

    std::ofstream out(argv[1], std::ios::binary);
    if (!out)
        fail(std::string("cannot write ") + argv[1]);
    out << "// Generated by tools/gbtobig_table from ICU " U_ICU_VERSION "; do not edit by hand.\n"
           "// Each line holds GBK codes; the comments show them as text.\n"
           "// Kept as generated, which the regeneration check compares:\n"
           "// clang-format off\n"
           "#include \"convert/GbToBigTable.h\"\n\n"
           "namespace GbToBigTable {\n\n";
    writeList(out, codec, "simplifiedLines", simplified);
    out << "\n";
    writeList(out, codec, "traditionalLines", traditional);
    out << "\n} // namespace GbToBigTable\n";
    out.close();
    if (!out)
        fail(std::string("cannot write ") + argv[1]);
    std::fprintf(stderr, "gbtobig_table: %d entries, %d unchanged, %d changed, %d duplicated targets\n",
        int(simplified.size()), unchanged, changed, duplicates);
    return 0;
}
