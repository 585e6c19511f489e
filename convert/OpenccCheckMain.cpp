// zelto-opencc-check TYPE FILE: loads one OpenCC dictionary as a configuration naming it
// would, and converts a little text with it. Exit status 0 when that worked; whatever
// else happens, a damaged dictionary takes only this process down.
#include <opencc/Config.hpp>
#include <opencc/Converter.hpp>
#include <opencc/Exception.hpp>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

std::string quoted(const std::string &text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: zelto-opencc-check TYPE FILE\n", stderr);
        return 2;
    }
    const std::string dict = "{\"type\":" + quoted(argv[1]) + ",\"file\":" + quoted(argv[2]) + "}";
    const std::string config = "{\"name\":\"check\",\"segmentation\":{\"type\":\"mmseg\",\"dict\":" + dict
        + "},\"conversion_chain\":[{\"dict\":" + dict + "}]}";
    try {
        opencc::Config loader;
        loader.NewFromString(config, "/")->Convert("简体中文的头发和发展");
    } catch (const opencc::Exception &e) {
        std::fprintf(stderr, "zelto-opencc-check: %s\n", e.what());
        std::_Exit(1);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "zelto-opencc-check: %s\n", e.what());
        std::_Exit(1);
    } catch (...) {
        std::_Exit(1);
    }
    // _Exit: OpenCC's caches are not worth a leak report at exit.
    std::_Exit(0);
}
