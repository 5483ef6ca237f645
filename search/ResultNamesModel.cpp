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

void ResultNamesModel::Clear()
{
    beginResetModel();
    m_Records.clear();
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

QVariant ResultNamesModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return QString::fromStdString(gbk::toUtf8(Name(index.row())));
}

QVariant ResultNamesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section == 0)
        return QStringLiteral("试剂名称");
    return {};
}
