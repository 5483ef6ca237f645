#include "ResultNamesModel.h"

#include "Gbk.h"

void ResultNamesModel::SetNames(std::vector<std::string_view> names)
{
    beginResetModel();
    m_Names = std::move(names);
    endResetModel();
}

int ResultNamesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_Names.size());
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
