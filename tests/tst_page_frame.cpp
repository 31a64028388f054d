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
    const auto objects
            = view->findChildren<QAbstractItemDelegate *>(QString(), Qt::FindDirectChildrenOnly);
    return widths.join(' ') + " | " + names.join(',') + " in "
            + QString::number(objects.size() - 1);
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
    void cleanup() { QCOMPARE(std::exchange(caughtWarnings, {}), QStringList()); }

    void input_data()
    {
        // Each "input: outcome", on a fresh page: a button's text or name, a
        // key or an event, then the signals counted and whether the page stays.
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("inputs");

        // Reject-role buttons report twice on pages 2 to 5: once by role, once
        // through the form's rejected-to-reject connection. Next is the default
        // button while it is enabled, and so is Cancel.
        QTest::newRow("cameras") << 1
                                 << "refreshButton: refreshCamTree=1 shown; Close: close=1 "
                                    "shown; Return: next=1 shown; Return off: shown";
        QTest::newRow("file") << 2
                              << "Back: back=1 hidden finished; Next: next=1 shown; Close: "
                                 "close=2 shown; browseButton: browse=1 shown";
        QTest::newRow("summary") << 3
                                 << "Close: close=2 shown; Return: next=1 shown; Return off: shown";
        QTest::newRow("progress")
                << 4 << "Cancel: close=2 shown; Return: close=2 shown; Return off: shown";
        QTest::newRow("result") << 5 << "Next: next=1 hidden finished; Close: close=2 shown";
    }

    void input()
    {
        QFETCH(int, page);
        QFETCH(QString, inputs);

        const QStringList rows
                = (inputs + "; Escape: close=1 shown; window: close=1 shown; foreign: shown")
                          .split("; ");
        QStringList outcomes;
        for (const QString &row : rows) {
            const QString input = row.section(": ", 0, 0);
            auto dialog = makePage(page);
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
            if (page == 3) // its Next ignores what comes at once
                QTest::qWait(QApplication::doubleClickInterval() + 1);
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

            if (input == "window") {
                QVERIFY(!dialog->close());
            } else if (input == "foreign") {
                auto *box = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
                QPushButton stranger(QStringLiteral("Stranger"));
                dialog->dialogButtonClicked(nullptr);
                dialog->dialogButtonClicked(&stranger);
                dialog->dialogButtonClicked(box->addButton("Help", QDialogButtonBox::HelpRole));
            } else if (QPushButton *pushButton = button(dialog.get(), input)) {
                QTest::mouseClick(pushButton, Qt::LeftButton);
            } else {
                QTest::keyClick(dialog.get(), input == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
            }
            QStringList shown;
            for (const auto &spy : spies) {
                if (spy->count())
                    shown << spy->signal().replace("Clicked()", "=")
                                    + QString::number(spy->count());
            }
            shown << (dialog->isVisible() ? "shown" : "hidden");
            if (finished.count())
                shown << "finished";
            outcomes << input + ": " + shown.join(' ');
        }
        QCOMPARE(outcomes, rows);
    }

    // Page 3's Next right after the page is shown (the rest of a
    // double-click on page 2's Next, a second quick Enter) or from a held
    // Enter does nothing; a deliberate click or Enter later starts the run.
    void summaryNextGuard_data()
    {
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QString>("expected");
        QTest::newRow("click at once") << "click" << "next=0";
        QTest::newRow("Enter at once") << "Return" << "next=0";
        QTest::newRow("Back at once") << "Back" << "back=1";
        QTest::newRow("click later") << "wait click" << "next=1";
        QTest::newRow("Enter later") << "wait Return" << "next=1";
        QTest::newRow("held Enter") << "wait held" << "next=0";
        QTest::newRow("held Enter on the button") << "wait focus held" << "next=0";
        QTest::newRow("shown again") << "wait hide show click" << "next=0";
    }

    void summaryNextGuard()
    {
        QFETCH(QString, inputs);
        QFETCH(QString, expected);
        const int interval = QApplication::doubleClickInterval();
        QApplication::setDoubleClickInterval(150);
        CUpdateSummaryDialog page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QSignalSpy next(&page, &CUpdateSummaryDialog::nextClicked);
        QSignalSpy back(&page, &CUpdateSummaryDialog::backClicked);
        QWidget *target = &page;
        for (const QString &input : inputs.split(' ')) {
            if (input == "wait") {
                QTest::qWait(200);
            } else if (input == "click") {
                QTest::mouseClick(button(&page, "Next"), Qt::LeftButton);
            } else if (input == "Back") {
                QTest::mouseClick(button(&page, "Back"), Qt::LeftButton);
            } else if (input == "Return") {
                QTest::keyClick(target, Qt::Key_Return);
            } else if (input == "focus") {
                target = button(&page, "Next");
            } else if (input == "held") {
                QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(target, &repeat);
            } else if (input == "hide") {
                page.hide();
            } else if (input == "show") {
                page.show();
            }
        }
        QApplication::setDoubleClickInterval(interval);
        QCOMPARE(back.count() ? "back=" + QString::number(back.count())
                              : "next=" + QString::number(next.count()),
                 expected);
    }

    void frame_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("treeWidth");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("columns");

        QTest::newRow("cameras") << 1 << 600 << "Step 1: Select cameras"
                                 << "0:600 | CameraSelection in 1";
        QTest::newRow("file") << 2 << 0 << "Step 2: Select update file"
                              << "";
        QTest::newRow("summary")
                << 3 << 512 << "Step 3: Update Summary"
                << "0:115 3:142 4:148 5:107 | CameraSelection,Label,Label,Details in 3";
        QTest::newRow("progress") << 4 << 512 << "Step 4: Updating firmware"
                                  << "0:94 3:142 4:148 6:128 | Label,Label,Label,Status in 2";
        QTest::newRow("result") << 5 << 600 << "Step 5: Result summary"
                                << "0:216 3:178 7:206 | Label,Label,Result in 2";
    }

    // The tree's columns and delegates, then every fixed text in Japanese
    // and back.
    void frame()
    {
        QFETCH(int, page);
        QFETCH(int, treeWidth);
        QFETCH(QString, title);
        QFETCH(QString, columns);

        auto dialog = makePage(page);
        if (auto *view = dialog->findChild<QTreeView *>(QStringLiteral("cameraTreeView"))) {
            // The same model twice, then another one: the view is set up once.
            const auto model = updateModel(QStringLiteral("OK"));
            dialog->setTreeModel(model);
            dialog->setTreeModel(model);
            const auto other = updateModel(QStringLiteral("OK,Failed,Skipped"));
            dialog->setTreeModel(other);
            const auto *proxy = qobject_cast<QSortFilterProxyModel *>(view->model());
            QCOMPARE(proxy ? proxy->sourceModel() : view->model(), other.data());
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
            // The content column has 29 pixels of margin on either side.
            dialog->resize(treeWidth + 58, dialog->height());
            QCoreApplication::processEvents();
            dialog->grab();
            QCOMPARE(view->width(), treeWidth);
            QCOMPARE(columnSetUp(view), columns);
            QCOMPARE(view->findChildren<QSortFilterProxyModel *>().size(), page == 1 ? 1 : 0);
        }

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

    void cameraTreeRefilled()
    {
        CCameraSelectionDialog page;
        const auto model = QSharedPointer<CFirmwareUpdateTreeModel>::create();
        model->buildFromTransportLayers(Fake::layers(QStringLiteral("tl1:B/c3,A/c1;tl2:A/c4")));
        page.setTreeModel(model);
        auto *view = page.findChild<QTreeView *>(QStringLiteral("cameraTreeView"));
        QCOMPARE(visibleTree(view), "Layer tl1[A[Cam c1],B[Cam c3]],Layer tl2[A[Cam c4]]");

        // The service refills the same object on refresh.
        model->buildFromTransportLayers(Fake::layers(QStringLiteral("tl1:B/c3,C/c5,A/c1,B/c2")));
        page.setTreeModel(model);
        QCOMPARE(visibleTree(view), "Layer tl1[A[Cam c1],B[Cam c2,Cam c3],C[Cam c5]]");
    }
};

QTEST_MAIN(TestPageFrame)
#include "tst_page_frame.moc"
