#pragma once

#include "FindMatching.h"

#include <QAbstractTableModel>

#include <string_view>
#include <vector>

class CVELMORDoc;

/// The rows of a result list: records of the store, shown by their names in code page 936,
/// which are read and decoded only when a row is shown. A list of the forgiving search has a
/// second column, "匹配", naming the field each record matched in.
class ResultNamesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    /// Adds the column "匹配"; before any rows are set.
    void ShowMatchColumn() { m_MatchColumn = true; }

    /// Replaces all rows with `records` of `document`, which outlives them.
    void SetRecords(const CVELMORDoc& document, std::vector<int> records);
    /// Replaces all rows with the records of `matches`, each with its field in "匹配".
    void SetMatches(const CVELMORDoc& document, const std::vector<FindMatch>& matches);
    void Clear();

    /// The bytes of row `row`'s name, the page name it stands for.
    std::string_view Name(int row) const;

    /// Row `row` of column `column` (the name's unless told).
    QModelIndex index(int row, int column = 0,
                      const QModelIndex& parent = QModelIndex()) const override
    {
        return QAbstractTableModel::index(row, column, parent);
    }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const CVELMORDoc* m_Document = nullptr;
    std::vector<int> m_Records;
    bool m_MatchColumn = false;
    std::vector<FindField> m_Fields; ///< of each row, with the column "匹配"
};
