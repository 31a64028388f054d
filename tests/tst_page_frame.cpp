#include "support/PageTestSupport.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTranslator>
#include <QTreeView>
#include <QtTest>

using namespace PageTest;

namespace {

QTreeView *treeOf(QWidget *page)
{
    return page->findChild<QTreeView *>(QStringLiteral("cameraTreeView"));
}

// Names of the rows under parent as the view shows them, each with its children.
QString visibleTree(const QTreeView *view, const QModelIndex &parent = QModelIndex())
{
    QStringList rows;
    const QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        QString text = index.data().toString();
        if (model->rowCount(index) > 0)
            text += (view->isExpanded(index) ? "[" : "(collapsed)[") + visibleTree(view, index)
                    + "]";
        rows << text;
    }
    return rows.join(QLatin1Char(','));
}

// "0:115 3:142" for the visible columns, then each one's delegate and how
// many delegate objects the view owns.
QString columnSetUp(const QTreeView *view)
{
    QStringList widths, names;
    for (int column = 0; column < view->model()->columnCount(); ++column) {
        if (view->isColumnHidden(column))
            continue;
        widths << QStringLiteral("%1:%2").arg(column).arg(view->columnWidth(column));
        const QAbstractItemDelegate *delegate = view->itemDelegateForColumn(column);
        names << QString(delegate ? delegate->metaObject()->className() : "none")
                         .section("::", -1)
                         .remove("CTreeView")
                         .remove("Delegate");
    }
    const int objects
            = view->findChildren<QAbstractItemDelegate *>(QString(), Qt::FindDirectChildrenOnly)
                      .size()
            - 1;
    return QStringLiteral("%1 | %2 in %3")
            .arg(widths.join(' '), names.join(','), QString::number(objects));
}

// The page's fixed texts: window title, every label the form fills and the
// buttons the page adds itself (the box's standard buttons come from Qt).
QStringList texts(QWidget *page)
{
    QStringList result { page->windowTitle() };
    for (const char *name : { "stepTitleLabel", "infoTextLabel_1", "progressLabel",
                              "updateDetailsLabel", "warningTextLabel_1" }) {
        if (auto *label = page->findChild<QLabel *>(QLatin1String(name)))
            result << label->text();
    }
    auto *box = page->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    for (QAbstractButton *button : box->buttons()) {
        if (box->standardButton(button) == QDialogButtonBox::NoButton)
            result << button->text();
    }
    return result;
}

} // namespace

class TestPageFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { catchWarnings(); }
    void cleanup() { QCOMPARE(takeWarnings(), QStringList()); }

    void input_data();
    void input();
    void columns_data();
    void columns();
    void cameraTreeRefilled();
    void switchesLanguage_data();
    void switchesLanguage();
};

void TestPageFrame::input_data()
{
    QTest::addColumn<QString>("input"); // a button's text or name, or a key or event
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("outcome"); // signals counted, page shown or hidden

    // Reject-role buttons report twice on pages 2 to 5: once by role, once
    // through the form's rejected-to-reject connection.
    QTest::newRow("1 next") << "Next" << 1 << "next=1 shown";
    QTest::newRow("1 close") << "Close" << 1 << "close=1 shown";
    QTest::newRow("1 refresh") << "refreshButton" << 1 << "refreshCamTree=1 shown";
    QTest::newRow("2 back") << "Back" << 2 << "back=1 hidden finished";
    QTest::newRow("2 next") << "Next" << 2 << "next=1 shown";
    QTest::newRow("2 close") << "Close" << 2 << "close=2 shown";
    QTest::newRow("2 browse") << "browseButton" << 2 << "browse=1 shown";
    QTest::newRow("3 back") << "Back" << 3 << "back=1 hidden finished";
    QTest::newRow("3 next") << "Next" << 3 << "next=1 shown";
    QTest::newRow("3 close") << "Close" << 3 << "close=2 shown";
    QTest::newRow("4 cancel") << "Cancel" << 4 << "close=2 shown";
    QTest::newRow("5 next") << "Next" << 5 << "next=1 hidden finished";
    QTest::newRow("5 close") << "Close" << 5 << "close=2 shown";
    // Next is the default button while it is enabled, and so is Cancel.
    QTest::newRow("1 enter") << "Return" << 1 << "next=1 shown";
    QTest::newRow("1 enter, next disabled") << "Return off" << 1 << "shown";
    QTest::newRow("3 enter") << "Return" << 3 << "next=1 shown";
    QTest::newRow("3 enter, next disabled") << "Return off" << 3 << "shown";
    QTest::newRow("4 enter") << "Return" << 4 << "close=2 shown";
    QTest::newRow("4 enter, cancel disabled") << "Return off" << 4 << "shown";
    for (int page = 1; page <= 5; ++page) {
        QTest::addRow("%d escape", page) << "Escape" << page << "close=1 shown";
        QTest::addRow("%d window close", page) << "window" << page << "close=1 shown";
        QTest::addRow("%d foreign buttons", page) << "foreign" << page << "shown";
    }
}

void TestPageFrame::input()
{
    QFETCH(int, page);
    QFETCH(QString, input);
    QFETCH(QString, outcome);

    auto dialog = makePage(page);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    if (input.startsWith("Return")) {
        const bool enabled = input == "Return";
        if (auto *cameras = qobject_cast<CCameraSelectionDialog *>(dialog.get()))
            cameras->setNextEnabled(enabled);
        if (auto *summary = qobject_cast<CUpdateSummaryDialog *>(dialog.get()))
            summary->setNextEnabled(enabled);
        if (auto *progress = qobject_cast<CFirmwareUpdateDialog *>(dialog.get()))
            progress->setCancelEnabled(enabled);
    }
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    std::vector<std::unique_ptr<QSignalSpy>> spies; // signals a page lacks are left out
    for (const char *name : { "back", "browse", "close", "next", "refreshCamTree" }) {
        const QByteArray signal = QByteArray(name) + "Clicked()";
        if (dialog->metaObject()->indexOfSignal(signal) >= 0)
            spies.emplace_back(new QSignalSpy(dialog.get(), "2" + signal));
    }

    if (input.startsWith("Return")) {
        QTest::keyClick(dialog.get(), Qt::Key_Return);
    } else if (input == "Escape") {
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
    } else if (input == "window") {
        QVERIFY(!dialog->close());
    } else if (input == "foreign") {
        auto *box = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        QPushButton stranger(QStringLiteral("Stranger"));
        dialog->dialogButtonClicked(nullptr);
        dialog->dialogButtonClicked(&stranger);
        dialog->dialogButtonClicked(box->addButton("Help", QDialogButtonBox::HelpRole));
    } else {
        QPushButton *pushButton = button(dialog.get(), input);
        QVERIFY(pushButton);
        QTest::mouseClick(pushButton, Qt::LeftButton);
    }
    QStringList shown;
    for (const auto &spy : spies) {
        if (spy->count())
            shown << spy->signal().replace("Clicked()", "=") + QString::number(spy->count());
    }
    shown << (dialog->isVisible() ? "shown" : "hidden");
    if (finished.count())
        shown << "finished";
    QCOMPARE(shown.join(' '), outcome);
}

void TestPageFrame::columns_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("treeWidth");
    QTest::addColumn<QString>("expected");

    QTest::newRow("cameras 512") << 1 << 512 << "0:512 | CameraSelection in 1";
    QTest::newRow("cameras 600") << 1 << 600 << "0:600 | CameraSelection in 1";
    QTest::newRow("summary 512")
            << 3 << 512 << "0:115 3:142 4:148 5:107 | CameraSelection,Label,Label,Details in 3";
    QTest::newRow("summary 600")
            << 3 << 600 << "0:134 3:166 4:173 5:127 | CameraSelection,Label,Label,Details in 3";
    QTest::newRow("progress 512") << 4 << 512
                                  << "0:94 3:142 4:148 6:128 | Label,Label,Label,Status in 2";
    QTest::newRow("progress 600") << 4 << 600
                                  << "0:110 3:166 4:173 6:151 | Label,Label,Label,Status in 2";
    QTest::newRow("result 512") << 5 << 512 << "0:185 3:152 7:175 | Label,Label,Result in 2";
    QTest::newRow("result 600") << 5 << 600 << "0:216 3:178 7:206 | Label,Label,Result in 2";
}

void TestPageFrame::columns()
{
    QFETCH(int, page);
    QFETCH(int, treeWidth);
    QFETCH(QString, expected);

    auto dialog = makePage(page);
    QTreeView *view = treeOf(dialog.get());
    QVERIFY(!view->model());
    // The same model twice, then another one: the view is set up once.
    const auto model = updateModel(QStringLiteral("OK"));
    dialog->setTreeModel(model);
    dialog->setTreeModel(model);
    const auto other = updateModel(QStringLiteral("OK,Failed,Skipped"));
    dialog->setTreeModel(other);
    const auto *proxy = qobject_cast<QSortFilterProxyModel *>(view->model());
    QCOMPARE(proxy ? proxy->sourceModel() : view->model(), other.data());
    QCOMPARE(dialog->treeModel(), other);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    // The content column has 29 pixels of margin on either side.
    dialog->resize(treeWidth + 58, dialog->height());
    QCoreApplication::processEvents();
    dialog->grab();

    QCOMPARE(view->width(), treeWidth);
    QCOMPARE(columnSetUp(view), expected);
    QCOMPARE(view->findChildren<QSortFilterProxyModel *>().size(), page == 1 ? 1 : 0);
}

void TestPageFrame::cameraTreeRefilled()
{
    CCameraSelectionDialog page;
    const auto model = QSharedPointer<CFirmwareUpdateTreeModel>::create();
    model->buildFromTransportLayers(Fake::layers(QStringLiteral("tl1:B/c3,A/c1;tl2:A/c4")));
    page.setTreeModel(model);
    QCOMPARE(visibleTree(treeOf(&page)), "Layer tl1[A[Cam c1],B[Cam c3]],Layer tl2[A[Cam c4]]");

    // The service refills the same object on refresh.
    model->buildFromTransportLayers(Fake::layers(QStringLiteral("tl1:B/c3,C/c5,A/c1,B/c2")));
    page.setTreeModel(model);
    QCOMPARE(visibleTree(treeOf(&page)), "Layer tl1[A[Cam c1],B[Cam c2,Cam c3],C[Cam c5]]");
}

void TestPageFrame::switchesLanguage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("title");

    QTest::newRow("1") << 1 << "Step 1: Select cameras";
    QTest::newRow("2") << 2 << "Step 2: Select update file";
    QTest::newRow("3") << 3 << "Step 3: Update Summary";
    QTest::newRow("4") << 4 << "Step 4: Updating firmware";
    QTest::newRow("5") << 5 << "Step 5: Result summary";
}

void TestPageFrame::switchesLanguage()
{
    QFETCH(int, page);
    QFETCH(QString, title);

    auto dialog = makePage(page);
    const QStringList english = texts(dialog.get());
    QCOMPARE(english.mid(0, 2), QStringList({ "Firmware Updater", title }));
    QTranslator japanese;
    QVERIFY(japanese.load(QStringLiteral(":/translation/FirmwareUpdater_ja.qm")));

    QVERIFY(QCoreApplication::installTranslator(&japanese));
    QCoreApplication::processEvents();
    const QStringList translated = texts(dialog.get());
    QCoreApplication::removeTranslator(&japanese);
    QCoreApplication::processEvents();

    QCOMPARE(translated.size(), english.size());
    for (int i = 0; i < english.size(); ++i) {
        QVERIFY2(!translated.at(i).isEmpty() && translated.at(i) != english.at(i),
                 qPrintable(english.at(i)));
    }
    QCOMPARE(texts(dialog.get()), english);
}

QTEST_MAIN(TestPageFrame)
#include "tst_page_frame.moc"
