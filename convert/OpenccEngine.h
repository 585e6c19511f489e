#pragma once

#include <opencc/Common.hpp>

#include <functional>
#include <map>
#include <memory>
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
    // A piece of the output that has other forms in real use: a character whose key has
    // several values that no phrase decided, or the part in which the values of a phrase
    // with several values differ. candidates[0] is the output itself.
    struct ByteMark
    {
        std::size_t offset = 0; // in bytes of the UTF-8 output
        std::vector<std::string> candidates;
    };

    // Key of one character → the values to offer, the default first; only keys with more
    // than one value in real use.
    using Choices = std::map<std::string, std::vector<std::string>, std::less<>>;
    // The choices of each set of dictionaries seen, so that configurations that share
    // dictionaries work them out once.
    using ChoiceCache = std::map<std::vector<const void *>, std::shared_ptr<const Choices>>;

    // One step of the chain with the choices its one-character keys leave open.
    struct Step
    {
        opencc::DictPtr dict;
        std::shared_ptr<const Choices> choices;
    };

    // Throws opencc::Exception or std::runtime_error when the converter is not one we can
    // follow (a segmentation other than maximum matching).
    explicit OpenccEngine(const opencc::ConverterPtr &converter, ChoiceCache *cache = nullptr);
    ~OpenccEngine();

    // Converts UTF-8 text; appends to out. With marks, also appends the review marks
    // (offsets relative to the start of what this call appends).
    void convert(std::string_view text, std::string &out, std::vector<ByteMark> *marks) const;

private:
    void convertSegment(std::string_view segment, std::string &out, std::vector<ByteMark> *marks) const;

    opencc::DictPtr m_segmentation;
    std::vector<Step> m_steps;
};
