#pragma once

// What the generators that read the Unicode data share: reporting a fault and ending,
// reading the bzip2-compressed Unihan files, and asking whether code page 936 holds a
// character.
#include <bzlib.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace GeneratorSupport {

[[noreturn]] inline void fail(const char *tool, const std::string &message)
{
    std::fprintf(stderr, "%s: %s\n", tool, message.c_str());
    std::exit(1);
}

inline std::string readBzip2(const char *tool, const char *path)
{
    FILE *file = std::fopen(path, "rb");
    if (!file)
        fail(tool, std::string("cannot open ") + path);
    int error = BZ_OK;
    BZFILE *bz = BZ2_bzReadOpen(&error, file, 0, 0, nullptr, 0);
    if (error != BZ_OK)
        fail(tool, std::string("not a bzip2 file: ") + path);
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
        fail(tool, std::string("cannot read ") + path);
    return text;
}

// True when code page 936 holds the character as one two-byte code.
inline bool inGbk(const char *tool, UChar32 c)
{
    static UConverter *conv = [tool] {
        UErrorCode status = U_ZERO_ERROR;
        UConverter *cv = ucnv_open("windows-936", &status);
        if (U_FAILURE(status))
            fail(tool, "windows-936 converter missing");
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

} // namespace GeneratorSupport
