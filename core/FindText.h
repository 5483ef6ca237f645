#pragma once

#include <optional>
#include <string>
#include <string_view>

/// The normal form in which the forgiving search compares texts: a query and a field match when
/// their normal forms do. Normal forms are code page 936 text like the fields, in which:
/// - blanks (spaces, tabs, ideographic spaces and the other control characters) are trimmed at
///   both ends and each run of them is one space;
/// - full-width ASCII ("ＨＣｌ", "１２３") is its half-width twin, ASCII letters are in lower
///   case;
/// - in formulas, "·", "*" (and in a query "•" and "∙") are ".", the dot between the parts of
///   an adduct.
/// A normal form holds no control characters, and no lead byte without the second byte that
/// makes a character of code page 936 with it: such a byte is left out.
enum class Folding
{
    General, ///< every field but the formula
    Formula, ///< the formula
};

/// Appends the normal form of code page 936 text `text`.
void AppendNormalForm(std::string& out, std::string_view text, Folding folding);

std::string NormalForm(std::string_view text, Folding folding);

/// True when the normal form of code page 936 text `text` is empty: it holds only blanks and
/// bytes that the normal form leaves out. Reads no further than its first other character.
bool FoldsToNothing(std::string_view text, Folding folding);

/// The normal form of a query typed as UTF-8, in code page 936. Characters that code page 936
/// cannot hold but that have a place in the normal form are folded first: subscript and
/// superscript digits ("H₂O") as digits, the no-break space as a blank, and in formulas "•" and
/// "∙" as ".". Nothing when the query is not UTF-8 or holds any other character that code page
/// 936 cannot hold: no field can hold it either.
std::optional<std::string> NormalQuery(std::string_view utf8Query, Folding folding);

/// At least how many bytes the normal form of a UTF-8 query holds: one for each character but
/// the blanks. Cheaper than the normal form itself, it rules out queries too long for any field.
std::size_t NormalQueryLengthAtLeast(std::string_view utf8Query);
