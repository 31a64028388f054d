#include "style/CTreeViewHeaderStyle.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QtTest>

using Plugin::FirmwareUpdater::Internal::Style::CTreeViewHeaderStyle;

namespace {

const QColor Background(255, 0, 255);
const QColor White(255, 255, 255);
const QColor PressedBand(204, 235, 255);
const QColor HoveredBand(229, 243, 255);
const QColor BandLine(223, 223, 223);
const QColor Separator(240, 240, 240);

QStyleOptionHeader headerOption(const QRect &rect, int section, const QFont &font = QFont())
{
    QStyleOptionHeader option;
    option.rect = rect;
    option.section = section;
    option.fontMetrics = QFontMetrics(font);
    option.palette.setColor(QPalette::Base, White);
    option.orientation = Qt::Horizontal;
    option.state = QStyle::State_Enabled;
    return option;
}

QImage canvas(const QSize &size = QSize(300, 40))
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Background);
    return image;
}

} // namespace

class TestHeaderStyle : public QObject
{
    Q_OBJECT

private slots:
    void headerMarginIsZero();
    void labelRect_data();
    void labelRect();
    void arrowRect_data();
    void arrowRect();
    void verticalArrowComesFromBaseStyle();
    void section_data();
    void section();
    void arrow_data();
    void arrow();
};

void TestHeaderStyle::headerMarginIsZero()
{
    CTreeViewHeaderStyle style;
    QCOMPARE(style.pixelMetric(QStyle::PM_HeaderMargin), 0);
    QCOMPARE(style.pixelMetric(QStyle::PM_HeaderMarkSize),
             style.baseStyle()->pixelMetric(QStyle::PM_HeaderMarkSize));
}

void TestHeaderStyle::labelRect_data()
{
    QTest::addColumn<QRect>("section");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("expected"); // height filled in from the font

    QTest::newRow("first section starts at its edge")
            << QRect(0, 0, 100, 36) << 0 << QRect(0, 0, 100, 0);
    QTest::newRow("second section is indented")
            << QRect(100, 0, 80, 36) << 1 << QRect(111, 0, 69, 0);
    QTest::newRow("later section keeps its top")
            << QRect(300, 5, 40, 30) << 3 << QRect(311, 5, 29, 0);
}

void TestHeaderStyle::labelRect()
{
    QFETCH(QRect, section);
    QFETCH(int, index);
    QFETCH(QRect, expected);

    CTreeViewHeaderStyle style;
    const QStyleOptionHeader option = headerOption(section, index);
    expected.setHeight(option.fontMetrics.height());
    QCOMPARE(style.subElementRect(QStyle::SE_HeaderLabel, &option, nullptr), expected);
}

void TestHeaderStyle::arrowRect_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("section");

    QTest::newRow("first section") << "Cameras" << QRect(0, 0, 120, 36);
    // The arrow follows the widget's edge, not the section's.
    QTest::newRow("later section") << "Details" << QRect(200, 0, 80, 36);
    QTest::newRow("no title") << QString() << QRect(0, 0, 50, 36);
}

void TestHeaderStyle::arrowRect()
{
    QFETCH(QString, text);
    QFETCH(QRect, section);

    CTreeViewHeaderStyle style;
    QHeaderView header(Qt::Horizontal);
    header.resize(400, 36);
    QStyleOptionHeader option = headerOption(section, 1);
    option.text = text;
    const QFontMetrics &metrics = option.fontMetrics;
    const QRect expected(5 + metrics.horizontalAdvance(text), metrics.ascent() - 7, 10, 7);
    QCOMPARE(style.subElementRect(QStyle::SE_HeaderArrow, &option, &header), expected);
}

void TestHeaderStyle::verticalArrowComesFromBaseStyle()
{
    CTreeViewHeaderStyle style;
    QHeaderView header(Qt::Vertical);
    header.resize(40, 300);
    QStyleOptionHeader option = headerOption(QRect(0, 0, 40, 30), 0);
    option.orientation = Qt::Vertical;
    option.text = QStringLiteral("1");
    QCOMPARE(style.subElementRect(QStyle::SE_HeaderArrow, &option, &header),
             style.baseStyle()->subElementRect(QStyle::SE_HeaderArrow, &option, &header));
}

void TestHeaderStyle::section_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("position");
    QTest::addColumn<QColor>("band");
    QTest::addColumn<bool>("separator");

    const int plain = QStyle::State_Enabled;
    const int hovered = plain | QStyle::State_MouseOver;
    const int pressed = plain | QStyle::State_Sunken;
    const int pressedHovered = pressed | QStyle::State_MouseOver;
    QTest::newRow("plain, first") << plain << int(QStyleOptionHeader::Beginning) << White << true;
    QTest::newRow("hovered, middle")
            << hovered << int(QStyleOptionHeader::Middle) << HoveredBand << true;
    QTest::newRow("pressed, last")
            << pressed << int(QStyleOptionHeader::End) << PressedBand << false;
    QTest::newRow("pressed wins over hover, single")
            << pressedHovered << int(QStyleOptionHeader::OnlyOneSection) << PressedBand << false;
}

void TestHeaderStyle::section()
{
    QFETCH(int, state);
    QFETCH(int, position);
    QFETCH(QColor, band);
    QFETCH(bool, separator);

    CTreeViewHeaderStyle style;
    const QRect rect(100, 0, 80, 36);
    QStyleOptionHeader option = headerOption(rect, 1);
    option.state = QStyle::State(state);
    option.position = QStyleOptionHeader::SectionPosition(position);
    const int h = option.fontMetrics.height();

    QImage image = canvas();
    {
        QPainter painter(&image);
        style.drawControl(QStyle::CE_HeaderSection, &option, &painter);
    }
    const int middle = rect.center().x();
    QCOMPARE(image.pixelColor(middle, 1), band);
    QCOMPARE(image.pixelColor(middle, h + 6), band);
    QCOMPARE(image.pixelColor(middle, h + 7), BandLine);
    QCOMPARE(image.pixelColor(middle, h + 9), White);
    // Nothing spills into the neighbouring sections.
    QCOMPARE(image.pixelColor(rect.right() + 2, 1), Background);
    QCOMPARE(image.pixelColor(rect.left() - 1, 1), Background);

    const int y = h / 2;
    const bool drawn = image.pixelColor(rect.right(), y) == Separator
            || image.pixelColor(rect.right() - 1, y) == Separator;
    QCOMPARE(drawn, separator);
    // The separator stays above the band line.
    QVERIFY(image.pixelColor(rect.right(), h + 3) != Separator);
}

void TestHeaderStyle::arrow_data()
{
    QTest::addColumn<int>("indicator");
    QTest::addColumn<int>("rotation");

    // An ascending sort arrives as SortDown and shows the image as stored.
    QTest::newRow("ascending") << int(QStyleOptionHeader::SortDown) << 0;
    QTest::newRow("descending") << int(QStyleOptionHeader::SortUp) << 180;
    QTest::newRow("none") << int(QStyleOptionHeader::None) << -1;
}

void TestHeaderStyle::arrow()
{
    QFETCH(int, indicator);
    QFETCH(int, rotation);

    const QPixmap image(QStringLiteral(":/firmwareupdater/icons/sort_icon_10x7_en"));
    QCOMPARE(image.size(), QSize(10, 7));
    // The test means something only for an image that is not symmetric.
    QVERIFY(image.toImage() != image.transformed(QTransform().rotate(180)).toImage());

    CTreeViewHeaderStyle style;
    QHeaderView header(Qt::Horizontal);
    header.resize(300, 36);
    QStyleOptionHeader option = headerOption(QRect(0, 0, 120, 36), 0);
    option.text = QStringLiteral("Cameras");
    option.sortIndicator = QStyleOptionHeader::SortIndicator(indicator);
    const QRect at = style.subElementRect(QStyle::SE_HeaderArrow, &option, &header);

    QImage drawn = canvas();
    {
        QPainter painter(&drawn);
        style.drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &option, &painter, &header);
    }
    QImage expected = canvas();
    if (rotation >= 0) {
        QPainter painter(&expected);
        painter.drawPixmap(at, image.transformed(QTransform().rotate(rotation)));
    }
    QCOMPARE(drawn, expected);
}

QTEST_MAIN(TestHeaderStyle)
#include "tst_style_headerstyle.moc"
