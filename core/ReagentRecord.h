#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

/// One reagent: two integers and 23 texts, in the order in which the database file stores them.
/// The texts are code page 936 bytes. They are views: the record store owns the bytes (one
/// buffer per field), and a record built for writing may point at any text that outlives it.
struct ReagentRecord
{
    std::int32_t LeadInt1 = 0;
    std::int32_t LeadInt2 = 0;
    std::string_view ChineseName;
    std::string_view EnglishName;
    std::string_view Alias;
    std::string_view CasNumber;
    std::string_view MolecularWeight;
    std::string_view Formula;
    std::string_view Purity;
    std::string_view Storage;
    std::string_view Spare1;
    std::string_view FlashPoint;
    std::string_view BoilingPoint;
    std::string_view MeltingPoint;
    std::string_view SpecificRotation;
    std::string_view VapourPressure;
    std::string_view Solubility;
    std::string_view Toxicity;
    std::string_view Appearance;
    std::string_view Remarks;
    std::string_view Use;
    std::string_view Spare2;
    std::string_view StructureImage;
    std::string_view Vendor;
    std::string_view Spare3;
};

/// The 25 fields in file order.
enum class Field : int
{
    LeadInt1,
    LeadInt2,
    ChineseName,
    EnglishName,
    Alias,
    CasNumber,
    MolecularWeight,
    Formula,
    Purity,
    Storage,
    Spare1,
    FlashPoint,
    BoilingPoint,
    MeltingPoint,
    SpecificRotation,
    VapourPressure,
    Solubility,
    Toxicity,
    Appearance,
    Remarks,
    Use,
    Spare2,
    StructureImage,
    Vendor,
    Spare3,
};

inline constexpr int kFieldCount = 25;
inline constexpr int kTextFieldCount = 23;

/// Field names as they appear in the code (and in the database tool's CSV and JSON).
inline constexpr std::array<std::string_view, kFieldCount> kFieldNames = {
    "LeadInt1",     "LeadInt2",     "ChineseName",      "EnglishName",
    "Alias",        "CasNumber",    "MolecularWeight",  "Formula",
    "Purity",       "Storage",      "Spare1",           "FlashPoint",
    "BoilingPoint", "MeltingPoint", "SpecificRotation", "VapourPressure",
    "Solubility",   "Toxicity",     "Appearance",       "Remarks",
    "Use",          "Spare2",       "StructureImage",   "Vendor",
    "Spare3",
};

constexpr bool isTextField(Field f)
{
    return f != Field::LeadInt1 && f != Field::LeadInt2;
}

/// Index 0..22 of a text field among the texts; the field must be a text field.
constexpr int textIndex(Field f)
{
    return static_cast<int>(f) - 2;
}
constexpr Field textField(int index)
{
    return static_cast<Field>(index + 2);
}

namespace detail {
using TextMember = std::string_view ReagentRecord::*;
inline constexpr std::array<TextMember, kTextFieldCount> kTextMembers = {
    &ReagentRecord::ChineseName,
    &ReagentRecord::EnglishName,
    &ReagentRecord::Alias,
    &ReagentRecord::CasNumber,
    &ReagentRecord::MolecularWeight,
    &ReagentRecord::Formula,
    &ReagentRecord::Purity,
    &ReagentRecord::Storage,
    &ReagentRecord::Spare1,
    &ReagentRecord::FlashPoint,
    &ReagentRecord::BoilingPoint,
    &ReagentRecord::MeltingPoint,
    &ReagentRecord::SpecificRotation,
    &ReagentRecord::VapourPressure,
    &ReagentRecord::Solubility,
    &ReagentRecord::Toxicity,
    &ReagentRecord::Appearance,
    &ReagentRecord::Remarks,
    &ReagentRecord::Use,
    &ReagentRecord::Spare2,
    &ReagentRecord::StructureImage,
    &ReagentRecord::Vendor,
    &ReagentRecord::Spare3,
};
} // namespace detail

/// The text of a text field, by name.
inline std::string_view fieldText(const ReagentRecord& record, Field field)
{
    return record.*detail::kTextMembers[textIndex(field)];
}
inline std::string_view& fieldText(ReagentRecord& record, Field field)
{
    return record.*detail::kTextMembers[textIndex(field)];
}

/// An integer field by name (LeadInt1 or LeadInt2).
inline std::int32_t fieldInt(const ReagentRecord& record, Field field)
{
    return field == Field::LeadInt1 ? record.LeadInt1 : record.LeadInt2;
}

std::optional<Field> fieldByName(std::string_view name);
