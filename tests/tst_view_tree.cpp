#include "style/CTreeViewHeaderStyle.h"
#include "view/CCustomTreeView.h"
#include "view/CTreeViewHeaderView.h"

#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyleOptionHeader>
#include <QtTest>

using namespace Plugin::FirmwareUpdater::Internal;

class TestTree : public QObject
{
    Q_OBJECT

private slots:

    void header_data()
    {
        QTest::addColumn<int>("baseHeight");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("section");
        QTest::addColumn<QList<int>>("expected"); // header height, title's left, top, width

        QTest::newRow("raised, first title")
                << 20 << 0 << QRect(0, 0, 100, 36) << QList<int> { 36, 0, 0, 100 };
        QTest::newRow("minimum, indented")
                << 25 << 1 << QRect(100, 0, 80, 36) << QList<int> { 36, 111, 0, 69 };
        QTest::newRow("above, keeps the top")
                << 30 << 3 << QRect(300, 5, 40, 30) << QList<int> { 41, 311, 5, 29 };
    }

    void header()
    {
        QFETCH(int, baseHeight);
        QFETCH(int, index);
        QFETCH(QRect, section);
        QFETCH(QList<int>, expected);

        QStandardItemModel model(1, 2);
        for (int i = 0; i < 2; ++i)
            model.setHeaderData(i, Qt::Horizontal, QSize(60, baseHeight), Qt::SizeHintRole);
        View::CTreeViewHeaderView header;
        header.setModel(&model);
        QStyleOptionHeader option;
        option.rect = section;
        option.section = index;
        const QRect title = Style::CTreeViewHeaderStyle().subElementRect(QStyle::SE_HeaderLabel,
                                                                         &option, nullptr);
        QCOMPARE(title.height(), option.fontMetrics.height());
        QCOMPARE(QList<int>(
                         { header.sizeHint().height(), title.left(), title.top(), title.width() }),
                 expected);
    }

    void section_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("painted"); // band colour, separator

        const int hover = QStyle::State_MouseOver;
        const int pressed = QStyle::State_Sunken;
        QTest::newRow("plain, first") << 0 << int(QStyleOptionHeader::Beginning) << "ffffff sep";
        QTest::newRow("hovered, middle")
                << hover << int(QStyleOptionHeader::Middle) << "e5f3ff sep";
        QTest::newRow("pressed, last") << pressed << int(QStyleOptionHeader::End) << "ccebff";
        QTest::newRow("pressed wins, single")
                << (pressed | hover) << int(QStyleOptionHeader::OnlyOneSection) << "ccebff";
    }

    void section()
    {
        QFETCH(int, state);
        QFETCH(int, position);
        QFETCH(QString, painted);

        const QRect rect(100, 0, 80, 36);
        QStyleOptionHeader option;
        option.rect = rect;
        option.section = 1;
        option.palette.setColor(QPalette::Base, Qt::white);
        option.state = QStyle::State_Enabled | QStyle::State(state);
        option.position = QStyleOptionHeader::SectionPosition(position);
        QImage image(300, 40, QImage::Format_RGB32);
        image.fill(0xff00ff);
        QPainter painter(&image);
        Style::CTreeViewHeaderStyle().drawControl(QStyle::CE_HeaderSection, &option, &painter);
        painter.end();

        const auto rgb = [&](int x, int y) {
            return image.pixel(x, y) & 0xffffff;
        };
        const int x = rect.center().x(), h = option.fontMetrics.height();
        // The band reaches down to the line under it, base colour below; nothing
        // spills into the neighbouring sections.
        QCOMPARE(rgb(x, 1), rgb(x, h + 6));
        QCOMPARE(QList<QRgb>({ rgb(x, h + 7), rgb(x, h + 9), rgb(rect.right() + 2, 1) }),
                 QList<QRgb>({ 0xdfdfdf, 0xffffff, 0xff00ff }));
        const bool separator
                = rgb(rect.right(), h / 2) == 0xf0f0f0 || rgb(rect.right() - 1, h / 2) == 0xf0f0f0;
        QCOMPARE(QString::number(rgb(x, 1), 16) + (separator ? " sep" : ""), painted);
    }

    // Ascending shows the image as stored, descending upside down.
    void sortArrow()
    {
        const QPixmap arrow(QStringLiteral(":/firmwareupdater/icons/sort_icon_10x7_en"));
        QVERIFY(arrow.toImage() != arrow.transformed(QTransform().rotate(180)).toImage());
        QStandardItemModel model(1, 2);
        model.setHorizontalHeaderLabels({ "Cameras", "Details" });
        View::CTreeViewHeaderView header;
        header.setModel(&model);
        header.resize(400, 36);
        header.setSortIndicatorShown(true);
        QStyleOptionHeader option;
        option.text = QStringLiteral("Cameras");
        option.fontMetrics = header.fontMetrics();
        const QRect at = header.style()->subElementRect(QStyle::SE_HeaderArrow, &option, &header);
        QCOMPARE(at.size(), QSize(10, 7));
        for (const int rotation : { 0, 180 }) {
            header.setSortIndicator(0, rotation ? Qt::DescendingOrder : Qt::AscendingOrder);
            const QImage shown = header.grab().toImage().copy(at);
            QImage expected(at.size(), shown.format());
            expected.fill(header.palette().color(QPalette::Base));
            QPainter(&expected).drawPixmap(0, 0, arrow.transformed(QTransform().rotate(rotation)));
            QCOMPARE(shown, expected);
        }
    }

    void scrollBarStartsBelowHeader()
    {
        QStandardItemModel model(100, 2);
        View::CCustomTreeView view;
        view.setModel(&model);
        view.setHeader(new View::CTreeViewHeaderView(&view));
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        const QScrollBar *bar = view.verticalScrollBar();
        for (const QSize &size : { QSize(300, 300), QSize(320, 400) }) {
            view.resize(size);
            QCoreApplication::processEvents();
            QCOMPARE(bar->geometry().top(), view.header()->height() + 14);
            QCOMPARE(bar->geometry().bottom(), bar->parentWidget()->rect().bottom());
        }
    }
};

QTEST_MAIN(TestTree)
#include "tst_view_tree.moc"
