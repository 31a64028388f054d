#pragma once

#include <QProxyStyle>

namespace Plugin::FirmwareUpdater::Internal::Style {

// Flat header sections: a coloured band behind the title, thin separators and
// a sort arrow image of our own. Proxies the application style.
class CTreeViewHeaderStyle : public QProxyStyle
{
    Q_OBJECT

public:
    CTreeViewHeaderStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption *option,
                         const QWidget *widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};

} // namespace Plugin::FirmwareUpdater::Internal::Style
