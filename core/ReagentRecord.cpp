#include "ReagentRecord.h"

#include <cassert>

namespace {

using TextMember = std::string_view ReagentRecord::*;

constexpr std::array<TextMember, kTextFieldCount> kTextMembers = {
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

} // namespace

std::string_view fieldText(const ReagentRecord& record, Field field)
{
    assert(isTextField(field));
    return record.*kTextMembers[textIndex(field)];
}

std::string_view& fieldText(ReagentRecord& record, Field field)
{
    assert(isTextField(field));
    return record.*kTextMembers[textIndex(field)];
}

std::int32_t fieldInt(const ReagentRecord& record, Field field)
{
    assert(!isTextField(field));
    return field == Field::LeadInt1 ? record.LeadInt1 : record.LeadInt2;
}

std::optional<Field> fieldByName(std::string_view name)
{
    for (int i = 0; i < kFieldCount; ++i) {
        if (kFieldNames[i] == name)
            return static_cast<Field>(i);
    }
    return std::nullopt;
}
