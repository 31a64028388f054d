#include "view/CCustomTreeView.h"
#include "view/CTreeViewHeaderView.h"

#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QtTest>

using Plugin::FirmwareUpdater::Internal::View::CCustomTreeView;
using Plugin::FirmwareUpdater::Internal::View::CTreeViewHeaderView;

class TestTree : public QObject
{
    Q_OBJECT

private slots:
    void headerSizeHint_data();
    void headerSizeHint();
    void sortArrow_data();
    void sortArrow();
    void scrollBarStartsBelowHeader();
};

void TestTree::headerSizeHint_data()
{
    QTest::addColumn<int>("baseHeight");
    QTest::addColumn<int>("expected");

    QTest::newRow("raised to the minimum") << 20 << 36;
    QTest::newRow("at the minimum") << 25 << 36;
    QTest::newRow("above it") << 30 << 41;
}

void TestTree::headerSizeHint()
{
    QFETCH(int, baseHeight);
    QFETCH(int, expected);

    QStandardItemModel model(1, 2);
    for (int i = 0; i < 2; ++i)
        model.setHeaderData(i, Qt::Horizontal, QSize(60, baseHeight), Qt::SizeHintRole);
    CTreeViewHeaderView header;
    header.setModel(&model);
    QCOMPARE(header.sizeHint().height(), expected);
}

void TestTree::sortArrow_data()
{
    QTest::addColumn<Qt::SortOrder>("order");
    QTest::addColumn<int>("rotation");

    QTest::newRow("ascending shows the image as stored") << Qt::AscendingOrder << 0;
    QTest::newRow("descending upside down") << Qt::DescendingOrder << 180;
}

void TestTree::sortArrow()
{
    QFETCH(Qt::SortOrder, order);
    QFETCH(int, rotation);

    const QPixmap arrow(QStringLiteral(":/firmwareupdater/icons/sort_icon_10x7_en"));
    QVERIFY(arrow.toImage() != arrow.transformed(QTransform().rotate(180)).toImage());
    QTreeView view;
    QStandardItemModel model(1, 2);
    model.setHorizontalHeaderLabels({ "Cameras", "Details" });
    view.setModel(&model);
    auto *header = new CTreeViewHeaderView(&view);
    view.setHeader(header);
    view.resize(400, 100);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(0, order);

    QStyleOptionHeader option;
    option.text = QStringLiteral("Cameras");
    option.fontMetrics = header->fontMetrics();
    const QRect at = header->style()->subElementRect(QStyle::SE_HeaderArrow, &option, header);
    QCOMPARE(at.size(), QSize(10, 7));
    const QImage shown = header->grab().toImage().copy(at);
    QImage expected(at.size(), shown.format());
    expected.fill(header->palette().color(QPalette::Base));
    QPainter(&expected).drawPixmap(0, 0, arrow.transformed(QTransform().rotate(rotation)));
    QCOMPARE(shown, expected);
}

void TestTree::scrollBarStartsBelowHeader()
{
    QStandardItemModel model(100, 2);
    CCustomTreeView view;
    view.setModel(&model);
    view.setHeader(new CTreeViewHeaderView(&view));
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view.resize(300, 300);
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

QTEST_MAIN(TestTree)
#include "tst_view_tree.moc"
