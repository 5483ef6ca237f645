#include "ResultNamesModel.h"

#include "Gbk.h"
#include "VELMORDoc.h"

void ResultNamesModel::SetRecords(const CVELMORDoc& document, std::vector<int> records)
{
    beginResetModel();
    m_Document = &document;
    m_Records = std::move(records);
    endResetModel();
}

void ResultNamesModel::SetMatches(const CVELMORDoc& document, const std::vector<FindMatch>& matches)
{
    beginResetModel();
    m_Document = &document;
    m_Records.clear();
    m_Fields.clear();
    for (const FindMatch& match : matches) {
        m_Records.push_back(match.record);
        m_Fields.push_back(match.field);
    }
    endResetModel();
}

void ResultNamesModel::Clear()
{
    beginResetModel();
    m_Records.clear();
    m_Fields.clear();
    endResetModel();
}

std::string_view ResultNamesModel::Name(int row) const
{
    return m_Document->RecordName(m_Records[static_cast<std::size_t>(row)]);
}

int ResultNamesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_Records.size());
}

int ResultNamesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_MatchColumn ? 2 : 1;
}

QVariant ResultNamesModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == 1) {
        if (row >= m_Fields.size())
            return {};
        const std::string_view label = FindFieldLabel(m_Fields[row]);
        return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
    }
    return QString::fromStdString(gbk::toUtf8(Name(index.row())));
}

QVariant ResultNamesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    if (section == 0)
        return QStringLiteral("试剂名称");
    if (section == 1 && m_MatchColumn)
        return QStringLiteral("匹配");
    return {};
}
