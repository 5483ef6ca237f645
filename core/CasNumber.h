#pragma once

#include <string_view>

/// What a CAS registry number's text says about itself.
struct CasVerdict
{
    enum class Kind
    {
        Valid,
        Malformed,       ///< not 2 to 7 digits, a hyphen, 2 digits, a hyphen and 1 digit
        WrongCheckDigit, ///< well formed, but the last digit is not the check digit
    };
    Kind kind = Kind::Valid;
    int expectedDigit = 0; ///< the right check digit, for WrongCheckDigit
};

/// Checks the form and the check digit of a CAS registry number such as "7732-18-5".
CasVerdict CheckCasNumber(std::string_view text);

/// The CAS check digit of the digits before the last hyphen ("7732-18" gives 5).
int CasCheckDigit(std::string_view digitsWithHyphens);
