#include "MolecularWeight.h"

#include <algorithm>
#include <cmath>

std::optional<StatedWeight> ParseStatedWeight(std::string_view text)
{
    if (text.ends_with("g/mol")) {
        text.remove_suffix(5);
        while (text.ends_with(' '))
            text.remove_suffix(1);
    }
    StatedWeight weight;
    std::size_t pos = 0;
    bool digits = false;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, digits = true)
        weight.value = weight.value * 10 + (text[pos] - '0');
    if (pos < text.size() && text[pos] == '.') {
        double scale = 0.1;
        for (++pos; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
            weight.value += scale * (text[pos] - '0');
            scale /= 10;
            ++weight.decimals;
            digits = true;
        }
    }
    if (!digits || pos != text.size())
        return std::nullopt;
    return weight;
}

bool WeightsAgree(const StatedWeight& stated, double computed)
{
    const double tolerance =
        std::max({0.02, 0.0005 * computed, 0.5 * std::pow(10.0, -stated.decimals)});
    // The last term must allow an exact half unit, which floating point can miss by a hair.
    return std::abs(stated.value - computed) <= tolerance + 1e-9;
}
