#include "CasNumber.h"

#include "SyntheticDatabase.h"

#include <algorithm>
#include <cctype>

namespace {

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

} // namespace

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
