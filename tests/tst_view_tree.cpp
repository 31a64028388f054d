#include "style/CTreeViewHeaderStyle.h"
#include "view/CCustomTreeView.h"
#include "view/CTreeViewHeaderView.h"

#include "host/CStyleHelper.h"

#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QtTest>

using Plugin::FirmwareUpdater::Internal::Style::CTreeViewHeaderStyle;
using Plugin::FirmwareUpdater::Internal::View::CCustomTreeView;
using Plugin::FirmwareUpdater::Internal::View::CTreeViewHeaderView;

Q_DECLARE_METATYPE(QAbstractItemDelegate::EndEditHint)

namespace {

const QColor Separator(240, 240, 240);

QStandardItemModel *modelWithSections(int sections, int rows, QObject *parent)
{
    auto *model = new QStandardItemModel(rows, sections, parent);
    const QStringList titles = { "Cameras", "Current Firmware", "Details", "Extra" };
    for (int i = 0; i < sections; ++i)
        model->setHeaderData(i, Qt::Horizontal, titles.value(i));
    for (int row = 0; row < rows; ++row)
        model->setData(model->index(row, 0), QStringLiteral("Camera %1").arg(row));
    return model;
}

} // namespace

class TestTree : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void headerSizeHint_data();
    void headerSizeHint();
    void headerLook();
    void headerReleasesItsStyle();
    void headerSeparators();
    void ascendingArrowShowsImageAsStored();
    void closeEditor_data();
    void closeEditor();
    void scrollBarStartsBelowHeader();
};

void TestTree::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestTree::headerSizeHint_data()
{
    QTest::addColumn<int>("baseHeight");
    QTest::addColumn<int>("expected");

    QTest::newRow("low header raised to the minimum") << 20 << 36;
    QTest::newRow("at the minimum") << 25 << 36;
    QTest::newRow("just above") << 26 << 37;
    QTest::newRow("high header") << 30 << 41;
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

void TestTree::headerLook()
{
    CTreeViewHeaderView header;
    QCOMPARE(header.orientation(), Qt::Horizontal);
    QVERIFY(qobject_cast<CTreeViewHeaderStyle *>(header.style()));
    QCOMPARE(header.font().family(), QStringLiteral("Segoe UI"));
    QCOMPARE(header.font().pixelSize(),
             Core::OndrelViewerComponents::CStyleHelper::computePixelFontSize(12));
    QCOMPARE(header.font().weight(), int(QFont::Bold));
    QCOMPARE(header.defaultAlignment(), Qt::AlignLeft | Qt::AlignTop);
    QCOMPARE(header.textElideMode(), Qt::ElideRight);
}

void TestTree::headerReleasesItsStyle()
{
    auto *header = new CTreeViewHeaderView;
    QPointer<QStyle> style = header->style();
    QVERIFY(qobject_cast<CTreeViewHeaderStyle *>(style));
    delete header;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(style.isNull());
}

void TestTree::headerSeparators()
{
    QTreeView view;
    view.setModel(modelWithSections(3, 1, &view));
    auto *header = new CTreeViewHeaderView(&view);
    view.setHeader(header);
    header->setStretchLastSection(false);
    view.resize(500, 200);
    for (int i = 0; i < 3; ++i)
        header->resizeSection(i, 120);

    const QImage image = header->grab().toImage();
    const int y = header->fontMetrics().height() / 2;
    for (int section = 0; section < 3; ++section) {
        const int right
                = header->sectionViewportPosition(section) + header->sectionSize(section) - 1;
        const bool drawn = image.pixelColor(right, y) == Separator
                || image.pixelColor(right - 1, y) == Separator;
        QCOMPARE(drawn, section < 2);
    }
}

void TestTree::ascendingArrowShowsImageAsStored()
{
    QTreeView view;
    view.setModel(modelWithSections(2, 3, &view));
    auto *header = new CTreeViewHeaderView(&view);
    view.setHeader(header);
    view.resize(400, 200);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(0, Qt::AscendingOrder);

    const QPixmap arrow(QStringLiteral(":/firmwareupdater/icons/sort_icon_10x7_en"));
    QVERIFY(!arrow.isNull());
    QStyleOptionHeader option;
    option.initFrom(header);
    option.text = QStringLiteral("Cameras");
    option.fontMetrics = header->fontMetrics();
    const QRect at = header->style()->subElementRect(QStyle::SE_HeaderArrow, &option, header);

    const QImage shown = header->grab().toImage().copy(at);
    QImage expected(at.size(), shown.format());
    expected.fill(header->palette().color(QPalette::Base));
    QPainter(&expected).drawPixmap(0, 0, arrow);
    QCOMPARE(shown, expected);
}

void TestTree::closeEditor_data()
{
    QTest::addColumn<QAbstractItemDelegate::EndEditHint>("hint");
    QTest::addColumn<bool>("staysOpen");

    QTest::newRow("next item keeps it") << QAbstractItemDelegate::EditNextItem << true;
    QTest::newRow("no hint") << QAbstractItemDelegate::NoHint << false;
    QTest::newRow("submit") << QAbstractItemDelegate::SubmitModelCache << false;
    QTest::newRow("revert") << QAbstractItemDelegate::RevertModelCache << false;
}

void TestTree::closeEditor()
{
    QFETCH(QAbstractItemDelegate::EndEditHint, hint);
    QFETCH(bool, staysOpen);

    CCustomTreeView view;
    view.setModel(modelWithSections(1, 2, &view));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QModelIndex index = view.model()->index(1, 0);
    view.edit(index);
    QWidget *editor = view.indexWidget(index);
    QVERIFY(qobject_cast<QLineEdit *>(editor));

    emit view.itemDelegate()->closeEditor(editor, hint);
    QCOMPARE(view.indexWidget(index) == editor, staysOpen);
}

void TestTree::scrollBarStartsBelowHeader()
{
    CCustomTreeView view;
    view.setModel(modelWithSections(2, 100, &view));
    view.setHeader(new CTreeViewHeaderView(&view));
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view.resize(300, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QScrollBar *bar = view.verticalScrollBar();
    const auto check = [&] {
        QCOMPARE(bar->geometry().top(), view.header()->height() + 14);
        // The base layout's bottom edge stays.
        QCOMPARE(bar->geometry().bottom(), bar->parentWidget()->rect().bottom());
    };
    check();
    view.resize(320, 400);
    QCoreApplication::processEvents();
    check();
    view.hide();
    view.show();
    QCoreApplication::processEvents();
    check();
}

QTEST_MAIN(TestTree)
#include "tst_view_tree.moc"
