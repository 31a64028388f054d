#include "support/PageTestSupport.h"
#include "view/CFirmwareUpdateDialog.h"
#include "view/CResultSummaryDialog.h"
#include "view/CTreeViewCameraSelectionDelegate.h"
#include "view/CTreeViewDetailsDelegate.h"
#include "view/CTreeViewLabelDelegate.h"
#include "view/CTreeViewResultDelegate.h"
#include "view/CTreeViewStatusDelegate.h"
#include "view/CUpdateSummaryDialog.h"

#include <QHeaderView>
#include <QTreeView>
#include <QtTest>

#include <memory>

using namespace Plugin::FirmwareUpdater::Internal::View;

namespace {

std::unique_ptr<CUpdateDialogBase> makePage(int number)
{
    if (number == 3)
        return std::make_unique<CUpdateSummaryDialog>();
    if (number == 4)
        return std::make_unique<CFirmwareUpdateDialog>();
    return std::make_unique<CResultSummaryDialog>();
}

QTreeView *treeOf(QWidget *page)
{
    return page->findChild<QTreeView *>(QStringLiteral("cameraTreeView"));
}

// "0:115 3:142" for the visible columns.
QString visibleWidths(const QTreeView *view)
{
    QStringList widths;
    for (int column = 0; column < view->model()->columnCount(); ++column) {
        if (!view->isColumnHidden(column))
            widths << QStringLiteral("%1:%2").arg(column).arg(view->columnWidth(column));
    }
    return widths.join(QLatin1Char(' '));
}

// Delegate class per visible column, and how many delegate objects the view owns.
QString delegates(const QTreeView *view)
{
    QStringList names;
    for (int column = 0; column < view->model()->columnCount(); ++column) {
        if (view->isColumnHidden(column))
            continue;
        const QAbstractItemDelegate *delegate = view->itemDelegateForColumn(column);
        names << (delegate ? QString::fromLatin1(delegate->metaObject()->className())
                                     .section(QLatin1String("::"), -1)
                           : QStringLiteral("none"));
    }
    int objects = 0;
    for (const QObject *child : view->children())
        objects += child != view->itemDelegate()
                && qobject_cast<const QAbstractItemDelegate *>(child);
    return QStringLiteral("%1 in %2 objects").arg(names.join(QLatin1Char(','))).arg(objects);
}

} // namespace

class TestPageTrees : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_warnings = std::make_unique<PageTest::WarningCatcher>(); }
    void cleanup()
    {
        const QStringList warnings = PageTest::WarningCatcher::take();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    void columnsFollowWidth_data();
    void columnsFollowWidth();
    void modelInstalledOnce_data();
    void modelInstalledOnce();

private:
    std::unique_ptr<PageTest::WarningCatcher> m_warnings;
};

void TestPageTrees::columnsFollowWidth_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("treeWidth");
    QTest::addColumn<QString>("widths");

    QTest::newRow("summary 512") << 3 << 512 << "0:115 3:142 4:148 5:107";
    QTest::newRow("summary 600") << 3 << 600 << "0:134 3:166 4:173 5:127";
    QTest::newRow("progress 512") << 4 << 512 << "0:94 3:142 4:148 6:128";
    QTest::newRow("progress 600") << 4 << 600 << "0:110 3:166 4:173 6:151";
    QTest::newRow("result 512") << 5 << 512 << "0:185 3:152 7:175";
    QTest::newRow("result 600") << 5 << 600 << "0:216 3:178 7:206";
}

void TestPageTrees::columnsFollowWidth()
{
    QFETCH(int, page);
    QFETCH(int, treeWidth);
    QFETCH(QString, widths);

    auto dialog = makePage(page);
    dialog->setTreeModel(PageTest::updateModel(QStringLiteral("OK,Failed")));
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    // The content column has 29 pixels of margin on either side.
    dialog->resize(treeWidth + 58, dialog->height());
    QCoreApplication::processEvents();

    QTreeView *view = treeOf(dialog.get());
    QCOMPARE(view->width(), treeWidth);
    QCOMPARE(visibleWidths(view), widths);
}

void TestPageTrees::modelInstalledOnce_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("initialWidths");
    QTest::addColumn<QString>("columnDelegates");

    QTest::newRow("summary") << 3 << "0:115 3:142 4:148 5:105"
                             << "CTreeViewCameraSelectionDelegate,CTreeViewLabelDelegate,"
                                "CTreeViewLabelDelegate,CTreeViewDetailsDelegate in 3 objects";
    QTest::newRow("progress") << 4 << "0:94 3:142 4:148 6:126"
                              << "CTreeViewLabelDelegate,CTreeViewLabelDelegate,"
                                 "CTreeViewLabelDelegate,CTreeViewStatusDelegate in 2 objects";
    QTest::newRow("result") << 5 << "0:185 3:152 7:173"
                            << "CTreeViewLabelDelegate,CTreeViewLabelDelegate,"
                               "CTreeViewResultDelegate in 2 objects";
}

void TestPageTrees::modelInstalledOnce()
{
    QFETCH(int, page);
    QFETCH(QString, initialWidths);
    QFETCH(QString, columnDelegates);

    auto dialog = makePage(page);
    QTreeView *view = treeOf(dialog.get());
    QVERIFY(!view->model());
    QVERIFY(view->header()->inherits(
            "Plugin::FirmwareUpdater::Internal::View::CTreeViewHeaderView"));

    const auto model = PageTest::updateModel(QStringLiteral("OK"));
    dialog->setTreeModel(model);
    QCOMPARE(visibleWidths(view), initialWidths);
    dialog->setTreeModel(model);
    QCOMPARE(delegates(view), columnDelegates);
    QCOMPARE(view->model(), model.data());

    // Another model object takes the first one's place with the same columns.
    const auto other = PageTest::updateModel(QStringLiteral("Failed,Skipped"));
    dialog->setTreeModel(other);
    QCOMPARE(view->model(), other.data());
    QCOMPARE(dialog->treeModel(), other);
    QCOMPARE(delegates(view), columnDelegates);
    QCOMPARE(visibleWidths(view), initialWidths);
}

QTEST_MAIN(TestPageTrees)
#include "tst_page_trees.moc"
