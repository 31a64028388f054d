#include "style/CTreeViewHeaderStyle.h"

#include <QPainter>
#include <QStyleOptionHeader>
#include <QtTest>

using Plugin::FirmwareUpdater::Internal::Style::CTreeViewHeaderStyle;

namespace {

const QColor Untouched(255, 0, 255);
const QColor White(255, 255, 255);
const QColor Separator(240, 240, 240);

QStyleOptionHeader headerOption(const QRect &rect, int section)
{
    QStyleOptionHeader option;
    option.rect = rect;
    option.section = section;
    option.palette.setColor(QPalette::Base, White);
    return option;
}

} // namespace

class TestHeaderStyle : public QObject
{
    Q_OBJECT

private slots:
    void labelRect_data();
    void labelRect();
    void section_data();
    void section();
};

void TestHeaderStyle::labelRect_data()
{
    QTest::addColumn<QRect>("section");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("expected"); // height: the font's

    QTest::newRow("first title at the edge") << QRect(0, 0, 100, 36) << 0 << QRect(0, 0, 100, 0);
    QTest::newRow("second indented") << QRect(100, 0, 80, 36) << 1 << QRect(111, 0, 69, 0);
    QTest::newRow("keeps the top") << QRect(300, 5, 40, 30) << 3 << QRect(311, 5, 29, 0);
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

void TestHeaderStyle::section_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("position");
    QTest::addColumn<QColor>("band");
    QTest::addColumn<bool>("separator");

    const int hover = QStyle::State_MouseOver;
    const int pressed = QStyle::State_Sunken;
    QTest::newRow("plain, first") << 0 << int(QStyleOptionHeader::Beginning) << White << true;
    QTest::newRow("hovered, middle")
            << hover << int(QStyleOptionHeader::Middle) << QColor(229, 243, 255) << true;
    QTest::newRow("pressed, last")
            << pressed << int(QStyleOptionHeader::End) << QColor(204, 235, 255) << false;
    QTest::newRow("pressed wins, single")
            << (pressed | hover) << int(QStyleOptionHeader::OnlyOneSection) << QColor(204, 235, 255)
            << false;
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
    option.state = QStyle::State_Enabled | QStyle::State(state);
    option.position = QStyleOptionHeader::SectionPosition(position);
    const int h = option.fontMetrics.height();
    QImage image(300, 40, QImage::Format_ARGB32);
    image.fill(Untouched);
    QPainter painter(&image);
    style.drawControl(QStyle::CE_HeaderSection, &option, &painter);
    painter.end();

    const int x = rect.center().x();
    QCOMPARE(image.pixelColor(x, 1), band);
    QCOMPARE(image.pixelColor(x, h + 6), band);
    QCOMPARE(image.pixelColor(x, h + 7), QColor(223, 223, 223));
    QCOMPARE(image.pixelColor(x, h + 9), White);
    // Nothing spills into the neighbouring sections.
    QCOMPARE(image.pixelColor(rect.right() + 2, 1), Untouched);
    const bool drawn = image.pixelColor(rect.right(), h / 2) == Separator
            || image.pixelColor(rect.right() - 1, h / 2) == Separator;
    QCOMPARE(drawn, separator);
}

QTEST_MAIN(TestHeaderStyle)
#include "tst_style_headerstyle.moc"
