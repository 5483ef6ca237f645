#include "CasNumber.h"

#include <algorithm>
#include <cctype>

namespace {

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

} // namespace

int CasCheckDigit(std::string_view digitsWithHyphens)
{
    int sum = 0;
    int weight = 1;
    for (auto it = digitsWithHyphens.rbegin(); it != digitsWithHyphens.rend(); ++it) {
        if (*it < '0' || *it > '9')
            continue;
        sum += weight++ * (*it - '0');
    }
    return sum % 10;
}

CasVerdict CheckCasNumber(std::string_view text)
{
    const std::size_t first = text.find('-');
    const std::size_t last = text.rfind('-');
    if (first == std::string_view::npos || first == last || first < 2 || first > 7 ||
        last != first + 3 || last + 2 != text.size() || !allDigits(text.substr(0, first)) ||
        !allDigits(text.substr(first + 1, 2)) || !allDigits(text.substr(last + 1)))
        return {CasVerdict::Kind::Malformed};
    const int expected = CasCheckDigit(text.substr(0, last));
    if (text.back() - '0' != expected)
        return {CasVerdict::Kind::WrongCheckDigit, expected};
    return {};
}
