#pragma once

#include <QHeaderView>

/// The column header of a result list, whose sections are measured in the header's own font.
/// Qt measures header sections in bold, for headers that show the selected section's title in
/// bold; a result list never does, and measuring in bold made the start open the bold face of
/// the lists' font for nothing.
class ResultListHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit ResultListHeader(QWidget* parent = nullptr);

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
};
