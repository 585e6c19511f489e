#pragma once

#include <opencc/Common.hpp>

#include <string>
#include <string_view>
#include <vector>

// One OpenCC configuration run step by step over its own dictionaries, so that we see how
// each character was decided. The text comes out exactly as OpenCC's converter makes it:
// the segmentation dictionary cuts the text into phrases and runs of unmatched characters,
// and each step of the chain replaces, within a segment, the longest key at each place by
// its first value. Internal to convert/: the page sees PhraseConverter only.
class OpenccEngine
{
public:
    // A character of the output whose source character was a key of one character with
    // more than one value, and that no phrase decided. candidates[0] is the output itself.
    struct ByteMark
    {
        std::size_t offset = 0; // in bytes of the UTF-8 output
        std::vector<std::string> candidates;
    };

    // Throws opencc::Exception or std::runtime_error when the converter is not one we can
    // follow (a segmentation other than maximum matching).
    explicit OpenccEngine(const opencc::ConverterPtr &converter);
    ~OpenccEngine();

    // Converts UTF-8 text; appends to out. With marks, also appends the review marks
    // (offsets relative to the start of what this call appends).
    void convert(std::string_view text, std::string &out, std::vector<ByteMark> *marks) const;

private:
    void convertSegment(std::string_view segment, std::string &out, std::vector<ByteMark> *marks) const;

    opencc::DictPtr m_segmentation;
    std::vector<opencc::DictPtr> m_steps;
};
