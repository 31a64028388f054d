#include "host/CStyleHelper.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace Core::OndrelViewerComponents {

int CStyleHelper::computePixelFontSize(int pointSize)
{
    qreal dpi = 96.0;
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            dpi = screen->logicalDotsPerInchY();
    }
    return qRound(pointSize * dpi / 72.0);
}

} // namespace Core::OndrelViewerComponents
