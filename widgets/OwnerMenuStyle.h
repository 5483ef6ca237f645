#pragma once

#include <QProxyStyle>

/// The style an owner-drawn menu installs on itself so that Qt lays its items out at the sizes
/// the menu measures, with no margins of its own, and lets disabled items be selected where
/// the look highlights them.
class OwnerMenuStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};
