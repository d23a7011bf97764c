#pragma once
// The learned evaluation's weights as a text file: a header naming the
// format and its version, the number of weights and a checksum over their
// values, then the weights, whole numbers in kWeightScale-ths of a
// hundredth of a man, in the order of evalfeatures' layout. The trainer
// (tools/train) writes engine/weights/eval.txt; the build compiles that
// file into the program, and it is checked when it is first used.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr int kEvalWeightsVersion = 1;
constexpr int kEvalWeightScale = 16;

// The weights in `text`, or nothing with the reason in `error`: another
// kind of file, another version, the wrong number of weights for this
// program's features, a value that is no number or out of range, or a
// checksum that does not match.
std::optional<std::vector<std::int32_t>> ParseEvalWeights(std::string_view text,
                                                          std::string* error = nullptr);

// The text ParseEvalWeights reads back to `weights`.
std::string PrintEvalWeights(const std::vector<std::int32_t>& weights);

// The weights compiled into the program, parsed once. Should they not
// parse (a broken build), plain material values stand in and the reason
// goes to standard error once.
const std::vector<std::int32_t>& BuiltInEvalWeights();

// The compiled-in text itself, for the test that checks it parses.
const char* kEvalWeightsTextForTests();
