#pragma once

#include <QAbstractListModel>

#include <string_view>
#include <vector>

class CVELMORDoc;

/// The rows of a result list: records of the store, shown by their names in code page 936,
/// which are read and decoded only when a row is shown.
class ResultNamesModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    /// Replaces all rows with `records` of `document`, which outlives them.
    void SetRecords(const CVELMORDoc& document, std::vector<int> records);
    void Clear();

    /// The bytes of row `row`'s name, the page name it stands for.
    std::string_view Name(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const CVELMORDoc* m_Document = nullptr;
    std::vector<int> m_Records;
};
