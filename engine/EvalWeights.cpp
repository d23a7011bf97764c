#include "engine/EvalWeights.h"

#include <charconv>
#include <cstdio>

#include "engine/EvalFeatures.h"

extern const char kEvalWeightsText[]; // generated from engine/weights/eval.txt

namespace
{
constexpr std::string_view kTitle = "plaxen evaluation weights";
constexpr std::int32_t kLimit = 1 << 24; // far beyond any sensible weight

// FNV-1a over the values' four little-endian bytes each: the same whatever
// the spacing of the text.
std::uint64_t Checksum(const std::vector<std::int32_t>& weights)
{
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const std::int32_t weight : weights)
        for (int i = 0; i < 4; ++i)
        {
            hash ^= (static_cast<std::uint32_t>(weight) >> (8 * i)) & 0xFF;
            hash *= 0x100000001B3ull;
        }
    return hash;
}

class CReader
{
public:
    explicit CReader(std::string_view text) : m_text(text) {}

    std::string_view Line()
    {
        const std::size_t end = std::min(m_text.find('\n'), m_text.size());
        std::string_view line = m_text.substr(0, end);
        m_text.remove_prefix(std::min(end + 1, m_text.size()));
        return line;
    }

    // The next whitespace-separated word, empty at the end.
    std::string_view Word()
    {
        const std::size_t start = m_text.find_first_not_of(" \t\r\n");
        if (start == std::string_view::npos)
        {
            m_text = {};
            return {};
        }
        m_text.remove_prefix(start);
        const std::size_t end = std::min(m_text.find_first_of(" \t\r\n"), m_text.size());
        std::string_view word = m_text.substr(0, end);
        m_text.remove_prefix(end);
        return word;
    }

private:
    std::string_view m_text;
};

template <class Number> bool ToNumber(std::string_view text, Number& value, int base = 10)
{
    const auto [end, failure] =
        std::from_chars(text.data(), text.data() + text.size(), value, base);
    return failure == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool Fail(std::string* error, const std::string& reason)
{
    if (error)
        *error = reason;
    return false;
}

std::vector<std::int32_t> MaterialOnly()
{
    std::vector<std::int32_t> weights(evalfeatures::kCount, 0);
    weights[evalfeatures::kMan] = weights[evalfeatures::kMan + 1] = 100 * kEvalWeightScale;
    weights[evalfeatures::kKing] = weights[evalfeatures::kKing + 1] = 130 * kEvalWeightScale;
    return weights;
}
} // namespace

std::optional<std::vector<std::int32_t>> ParseEvalWeights(std::string_view text, std::string* error)
{
    CReader reader(text);
    if (reader.Line() != kTitle)
        return Fail(error, "not a Plaxen evaluation weights file"), std::nullopt;
    int version = 0;
    if (reader.Word() != "version" || !ToNumber(reader.Word(), version))
        return Fail(error, "no version line"), std::nullopt;
    if (version != kEvalWeightsVersion)
        return Fail(error, "version " + std::to_string(version) +
                               " is not supported (this program reads " +
                               std::to_string(kEvalWeightsVersion) + ")"),
               std::nullopt;
    long long count = 0;
    std::uint64_t checksum = 0;
    if (reader.Word() != "count" || !ToNumber(reader.Word(), count))
        return Fail(error, "no count line"), std::nullopt;
    if (count != evalfeatures::kCount)
        return Fail(error, "the file has " + std::to_string(count) +
                               " weights, this program needs " +
                               std::to_string(evalfeatures::kCount)),
               std::nullopt;
    if (reader.Word() != "checksum" || !ToNumber(reader.Word(), checksum, 16))
        return Fail(error, "no checksum line"), std::nullopt;
    std::vector<std::int32_t> weights;
    weights.reserve(static_cast<std::size_t>(count));
    for (std::string_view word = reader.Word(); !word.empty(); word = reader.Word())
    {
        std::int32_t value = 0;
        if (static_cast<long long>(weights.size()) == count || !ToNumber(word, value) ||
            value < -kLimit || value > kLimit)
            return Fail(error, "weight " + std::to_string(weights.size() + 1) +
                                   " is not a number in range"),
                   std::nullopt;
        weights.push_back(value);
    }
    if (static_cast<long long>(weights.size()) != count)
        return Fail(error, "the file ends after " + std::to_string(weights.size()) + " weights"),
               std::nullopt;
    if (Checksum(weights) != checksum)
        return Fail(error, "the checksum does not match the weights"), std::nullopt;
    return weights;
}

std::string PrintEvalWeights(const std::vector<std::int32_t>& weights)
{
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Checksum(weights)));
    std::string text = std::string(kTitle) + "\nversion " + std::to_string(kEvalWeightsVersion) +
                       "\ncount " + std::to_string(weights.size()) + "\nchecksum " + hex + "\n";
    for (std::size_t i = 0; i < weights.size(); ++i)
        text += std::to_string(weights[i]) + (i % 16 == 15 || i + 1 == weights.size() ? "\n" : " ");
    return text;
}

const std::vector<std::int32_t>& BuiltInEvalWeights()
{
    static const std::vector<std::int32_t> weights = []
    {
        std::string error;
        if (auto parsed = ParseEvalWeights(kEvalWeightsText, &error))
            return *parsed;
        std::fprintf(stderr, "plaxen: the built-in evaluation weights are unusable (%s)\n",
                     error.c_str());
        return MaterialOnly();
    }();
    return weights;
}

const char* kEvalWeightsTextForTests()
{
    return kEvalWeightsText;
}
