#pragma once

#include <QAbstractListModel>

#include <string_view>
#include <vector>

/// The rows of a result list: reagent names in code page 936, kept as views into the record
/// store and decoded only when a row is shown.
class ResultNamesModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    /// Replaces all rows.
    void SetNames(std::vector<std::string_view> names);
    void Clear() { SetNames({}); }

    /// The bytes of row `row`, the page name it stands for.
    std::string_view Name(int row) const { return m_Names[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<std::string_view> m_Names;
};
