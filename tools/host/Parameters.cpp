#include "Parameters.h"

#include "HostError.h"
#include "Numbers.h"

#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace host {
namespace {

constexpr size_t kTextBufferSize = 512;

std::string_view withoutTrailingBlanks(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

}  // namespace

std::string dispatchText(AEffect& effect, int32_t opcode, int32_t index, intptr_t value) {
    std::array<char, kTextBufferSize> text{};
    effect.dispatcher(&effect, opcode, index, value, text.data(), 0.0f);
    text.back() = '\0';
    return text.data();
}

std::string parameterName(AEffect& effect, int32_t index) {
    return dispatchText(effect, effGetParamName, index);
}

int32_t findParameter(AEffect& effect, std::string_view nameOrIndex) {
    std::vector<int32_t> exact;
    std::vector<int32_t> loose;
    for (int32_t index = 0; index < effect.numParams; ++index) {
        const std::string name = parameterName(effect, index);
        if (name == nameOrIndex) exact.push_back(index);
        if (withoutTrailingBlanks(name) == withoutTrailingBlanks(nameOrIndex)) loose.push_back(index);
    }
    const std::vector<int32_t>& matches = exact.empty() ? loose : exact;
    if (matches.size() == 1) return matches.front();
    if (matches.size() > 1) {
        std::string indices;
        for (int32_t index : matches) indices += (indices.empty() ? "" : ", ") + std::to_string(index);
        throw HostError("parameter name " + quoted(nameOrIndex) + " is ambiguous (indices " + indices +
                        "); give the index instead");
    }
    if (const auto index = parseCount(nameOrIndex)) {
        if (*index < effect.numParams) return static_cast<int32_t>(*index);
        throw HostError("parameter index " + std::string(nameOrIndex) + " is out of range (the module has " +
                        std::to_string(effect.numParams) + " parameters)");
    }
    throw HostError("unknown parameter " + quoted(nameOrIndex));
}

float parseParameterValue(std::string_view text, std::string_view what) {
    const auto value = parseFiniteNumber(text);
    if (!value) {
        throw HostError("value " + quoted(text) + " for " + std::string(what) + " is not a number");
    }
    // Values outside 0..1 are passed on as given (modules decide what they make of them), as long
    // as they fit a float.
    if (std::fabs(*value) > std::numeric_limits<float>::max()) {
        throw HostError("value " + quoted(text) + " for " + std::string(what) + " is too large for a float");
    }
    return static_cast<float>(*value);
}

void setParameter(AEffect& effect, int32_t index, float value) {
    if (effect.setParameter != nullptr) effect.setParameter(&effect, index, value);
}

float getParameter(AEffect& effect, int32_t index) {
    return effect.getParameter != nullptr ? effect.getParameter(&effect, index) : 0.0f;
}

}  // namespace host
