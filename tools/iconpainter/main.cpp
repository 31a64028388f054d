// Paints the plug-in's PNG icons. Run by hand when an icon changes:
//   iconpainter <resources/icons folder>
// The icons are drawn with paths only, so the result does not depend on the
// fonts installed on the machine that runs the tool.

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <functional>

namespace {

const QColor kInfoBlue(0x1e, 0x6f, 0xd0);
const QColor kHelpBlue(0x2b, 0x7c, 0xd3);
const QColor kErrorRed(0xd3, 0x2f, 0x2f);
const QColor kWarningAmber(0xf5, 0xb3, 0x1a);
const QColor kOkGreen(0x2e, 0x9d, 0x3f);
const QColor kSkippedGrey(0x8c, 0x8c, 0x8c);
const QColor kChipDark(0x3a, 0x44, 0x52);

using Painter = std::function<void(QPainter &, const QRectF &)>;

// A filled disc with a thin darker rim, leaving room for antialiasing.
void disc(QPainter &p, const QRectF &r, const QColor &fill)
{
    const qreal pen = qMax<qreal>(1.0, r.width() / 16.0);
    p.setPen(QPen(fill.darker(125), pen));
    p.setBrush(fill);
    p.drawEllipse(r.adjusted(pen / 2 + 0.5, pen / 2 + 0.5, -pen / 2 - 0.5, -pen / 2 - 0.5));
}

void infoIcon(QPainter &p, const QRectF &r)
{
    disc(p, r, kInfoBlue);
    const qreal s = r.width();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(s / 2, s * 0.29), s * 0.085, s * 0.085);
    p.drawRoundedRect(QRectF(s * 0.42, s * 0.42, s * 0.16, s * 0.38), s * 0.03, s * 0.03);
}

void helpIcon(QPainter &p, const QRectF &r)
{
    disc(p, r, kHelpBlue);
    const qreal s = r.width();
    QPainterPath hook;
    hook.arcMoveTo(QRectF(s * 0.33, s * 0.20, s * 0.34, s * 0.30), 160);
    hook.arcTo(QRectF(s * 0.33, s * 0.20, s * 0.34, s * 0.30), 160, -250);
    hook.lineTo(s * 0.5, s * 0.62);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, s * 0.12, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(s / 2, s * 0.76), s * 0.075, s * 0.075);
}

void errorIcon(QPainter &p, const QRectF &r)
{
    disc(p, r, kErrorRed);
    const qreal s = r.width();
    p.setPen(QPen(Qt::white, s * 0.13, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.34, s * 0.34), QPointF(s * 0.66, s * 0.66));
    p.drawLine(QPointF(s * 0.66, s * 0.34), QPointF(s * 0.34, s * 0.66));
}

void warningIcon(QPainter &p, const QRectF &r)
{
    const qreal s = r.width();
    const qreal pen = qMax<qreal>(1.0, s / 16.0);
    QPainterPath triangle;
    triangle.moveTo(s / 2, s * 0.06);
    triangle.lineTo(s - pen, s * 0.92);
    triangle.lineTo(pen, s * 0.92);
    triangle.closeSubpath();
    p.setPen(QPen(kWarningAmber.darker(135), pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kWarningAmber);
    p.drawPath(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(s * 0.445, s * 0.33, s * 0.11, s * 0.33), s * 0.03, s * 0.03);
    p.drawEllipse(QPointF(s / 2, s * 0.77), s * 0.065, s * 0.065);
}

// Circular arrow, open at the top right, head pointing clockwise.
void refreshArrow(QPainter &p, const QRectF &r, const QColor &color)
{
    const qreal d = qMin(r.width(), r.height());
    const qreal pen = qMax<qreal>(1.3, d / 7.0);
    const QRectF ring(r.center().x() - d / 2 + pen, r.center().y() - d / 2 + pen, d - 2 * pen,
                      d - 2 * pen);
    QPainterPath arc;
    arc.arcMoveTo(ring, 60);
    arc.arcTo(ring, 60, 270);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, pen, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(arc);

    QPainterPath probe;
    probe.arcMoveTo(ring, 60);
    const QPointF tip = probe.currentPosition();
    const qreal h = d * 0.36;
    QPainterPath head;
    head.moveTo(tip + QPointF(-h * 0.15, -h * 0.55));
    head.lineTo(tip + QPointF(h * 0.75, -h * 0.05));
    head.lineTo(tip + QPointF(-h * 0.05, h * 0.5));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(head);
}

void refreshBlack(QPainter &p, const QRectF &r)
{
    refreshArrow(p, r, QColor(0x20, 0x20, 0x20));
}
void refreshGreen(QPainter &p, const QRectF &r)
{
    refreshArrow(p, r, kOkGreen);
}

void sortArrow(QPainter &p, const QRectF &r)
{
    QPainterPath down;
    down.moveTo(r.left() + 0.5, r.top() + 0.5);
    down.lineTo(r.right() - 0.5, r.top() + 0.5);
    down.lineTo(r.center().x(), r.bottom() - 0.5);
    down.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x60, 0x60, 0x60));
    p.drawPath(down);
}

void checkMark(QPainter &p, const QRectF &r)
{
    const qreal pen = qMax<qreal>(1.6, r.height() / 4.0);
    QPainterPath tick;
    tick.moveTo(r.left() + pen / 2, r.top() + r.height() * 0.5);
    tick.lineTo(r.left() + r.width() * 0.38, r.bottom() - pen / 2);
    tick.lineTo(r.right() - pen / 2, r.top() + pen / 2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOkGreen, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

void cross(QPainter &p, const QRectF &r)
{
    const qreal pen = qMax<qreal>(1.6, r.height() / 5.0);
    const qreal side = qMin(r.width(), r.height()) - pen;
    const QRectF box(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    p.setPen(QPen(kErrorRed, pen, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
}

void dash(QPainter &p, const QRectF &r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kSkippedGrey);
    p.drawRoundedRect(r.adjusted(1, 0, -1, 0), r.height() / 2, r.height() / 2);
}

// A chip with pins on both sides and an upward arrow: new firmware going in.
void updaterIcon(QPainter &p, const QRectF &r)
{
    const qreal s = r.width();
    const qreal pin = qMax<qreal>(1.0, s / 12.0);
    p.setPen(Qt::NoPen);
    p.setBrush(kChipDark.lighter(140));
    for (int i = 0; i < 3; ++i) {
        const qreal y = s * (0.28 + 0.2 * i);
        p.drawRect(QRectF(0, y, s * 0.14, pin));
        p.drawRect(QRectF(s * 0.86, y, s * 0.14, pin));
    }
    p.setBrush(kChipDark);
    p.drawRoundedRect(QRectF(s * 0.13, s * 0.13, s * 0.74, s * 0.8), s * 0.08, s * 0.08);

    QPainterPath arrow;
    arrow.moveTo(s * 0.5, s * 0.2);
    arrow.lineTo(s * 0.76, s * 0.5);
    arrow.lineTo(s * 0.6, s * 0.5);
    arrow.lineTo(s * 0.6, s * 0.8);
    arrow.lineTo(s * 0.4, s * 0.8);
    arrow.lineTo(s * 0.4, s * 0.5);
    arrow.lineTo(s * 0.24, s * 0.5);
    arrow.closeSubpath();
    p.setBrush(kOkGreen.lighter(120));
    p.drawPath(arrow);
}

// Qt's own conversion to straight alpha uses approximate reciprocals whose
// rounding depends on the CPU; integer division gives the same bytes on every
// machine. Nearest value, halves rounded down.
int unpremultiply(int channel, int alpha)
{
    return (channel * 255 + (alpha - 1) / 2) / alpha;
}

QImage straightAlpha(const QImage &premultiplied)
{
    QImage straight(premultiplied.size(), QImage::Format_ARGB32);
    for (int y = 0; y < premultiplied.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(premultiplied.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(straight.scanLine(y));
        for (int x = 0; x < premultiplied.width(); ++x) {
            const int a = qAlpha(in[x]);
            out[x] = a == 0 ? 0u
                            : qRgba(unpremultiply(qRed(in[x]), a), unpremultiply(qGreen(in[x]), a),
                                    unpremultiply(qBlue(in[x]), a), a);
        }
    }
    return straight;
}

struct Icon
{
    const char *name;
    int width;
    int height;
    Painter paint;
};

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: iconpainter <output folder>\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        err << "cannot create " << out.path() << "\n";
        return 1;
    }

    const Icon icons[] = {
        { "error_icon_16x16_en", 16, 16, errorIcon },
        { "error_icon_24x24_en", 24, 24, errorIcon },
        { "error_icon_32x32_en", 32, 32, errorIcon },
        { "firmware_updater_icon_16x16_en", 16, 16, updaterIcon },
        { "firmware_updater_icon_24x24_en", 24, 24, updaterIcon },
        { "help_icon_16x16_en", 16, 16, helpIcon },
        { "help_icon_24x24_en", 24, 24, helpIcon },
        { "help_icon_32x32_en", 32, 32, helpIcon },
        { "info_icon_16x16_en", 16, 16, infoIcon },
        { "info_icon_24x24_en", 24, 24, infoIcon },
        { "info_icon_32x32_en", 32, 32, infoIcon },
        { "refresh_black_icon_14x12_en", 14, 12, refreshBlack },
        { "refresh_green_icon_16x16_en", 16, 16, refreshGreen },
        { "sort_icon_10x7_en", 10, 7, sortArrow },
        { "update_failed_icon_12x11_en", 12, 11, cross },
        { "update_ok_icon_12x8_en", 12, 8, checkMark },
        { "update_skipped_icon_12x3_en", 12, 3, dash },
        { "warning_icon_16x16_en", 16, 16, warningIcon },
        { "warning_icon_24x24_en", 24, 24, warningIcon },
        { "warning_icon_32x32_en", 32, 32, warningIcon },
    };

    for (const Icon &icon : icons) {
        QImage image(icon.width, icon.height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            icon.paint(painter, QRectF(0, 0, icon.width, icon.height));
        }
        const QString file = out.filePath(QLatin1String(icon.name) + QLatin1String(".png"));
        if (!straightAlpha(image).save(file, "PNG")) {
            err << "cannot write " << file << "\n";
            return 1;
        }
    }
    return 0;
}
