#include "support/ModelProbe.h"
#include "support/WizardDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTreeView>

#include <algorithm>

namespace {

// Where a user's keys go: the active window's focus widget.
QWidget *focused()
{
    QWidget *window = QApplication::activeWindow();
    return window && window->focusWidget() ? window->focusWidget() : window;
}

// The window manager activates the page shown; offscreen, a hidden page may
// keep the activation.
bool activate(QWidget *page)
{
    page->activateWindow();
    if (!QTest::qWaitForWindowActive(page))
        return false;
    QApplication::setActiveWindow(page);
    return QApplication::activeWindow() == page;
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *focus = focused();
    QVERIFY2(focus, "no window is active");
    QTest::keyClick(focus, Qt::Key(key), modifiers);
    SimulatedHost::settle();
}

QString nameOf(QWidget *widget)
{
    if (!widget)
        return QStringLiteral("-");
    if (auto *button = qobject_cast<QAbstractButton *>(widget); button && button->text().size())
        return button->text().remove(QLatin1Char('&'));
    return widget->objectName();
}

QTreeView *treeOf(QWidget *page)
{
    return page->findChild<QTreeView *>(QStringLiteral("cameraTreeView"));
}

// The display name of the tree's current row.
QString currentRow(QWidget *page)
{
    return treeOf(page)->currentIndex().siblingAtColumn(0).data().toString();
}

// Rests the mouse on the tree's row; Qt drops a move to where the mouse is.
void hover(QTreeView *tree, const QString &row)
{
    const QModelIndex index = tree->model()->match(tree->model()->index(0, 0), Qt::DisplayRole, row,
                                                   1, Qt::MatchRecursive)[0];
    QTest::mouseMove(tree->viewport(), QPoint(1, 1));
    QTest::mouseMove(tree->viewport(), tree->visualRect(index).center());
}

// The check box the mouse opened on the row.
QCheckBox *openBox(QTreeView *tree, const QString &row)
{
    hover(tree, row);
    QWidget *editor = tree->indexWidget(tree->currentIndex());
    return editor ? editor->findChild<QCheckBox *>() : nullptr;
}

// Tabs until the tree has the focus; false when it never gets it.
bool focusTree(QWidget *page)
{
    for (int i = 0; i < 12 && focused() != treeOf(page); ++i)
        press(Qt::Key_Tab);
    return focused() == treeOf(page);
}

// Moves the tree's current row down to the named row.
bool moveTo(QWidget *page, const QString &row)
{
    for (int i = 0; i < 12 && currentRow(page) != row; ++i)
        press(Qt::Key_Down);
    return currentRow(page) == row;
}

// The page's selection state (see Probe::state) and Next.
QString selectionState(WizardDriver &w)
{
    return Probe::state(*w.page1->treeModel()) + " / next "
            + (WizardDriver::button(w.page1, "Next")->isEnabled() ? "on" : "off");
}

// One update for model M; with a failure, camera c2's fails.
QByteArray updateFile(bool failing = false)
{
    const QByteArray update
            = R"({"version": "2.0.0", "description": "d", "releaseNotes": "n", "models": ["M"],)"
              R"( "phases": [{"step": "FileUpload", "estimatedMs": 50}])";
    return "{\"updates\": ["
            + (failing ? update + R"(, "cameraIds": ["c1"]}, )" + update
                               + R"(, "cameraIds": ["c2"], "failure": {"step": "FileUpload",)"
                               + R"( "message": "m"}})"
                       : update + '}')
            + "]}";
}

} // namespace

class tst_WizardKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void runWithKeysOnly();
    void spaceActsLikeAClick_data();
    void spaceActsLikeAClick();
    void tabOrder_data();
    void tabOrder();
};

void tst_WizardKeyboard::runWithKeysOnly()
{
    WizardDriver w;
    w.addCameras({ "c1|Cam 1|M|1.0.0", "c2|Cam 2|M|1.0.0" });
    const QString path = w.writeUpdateFile(updateFile());
    QVERIFY(w.start());
    QVERIFY(activate(w.page1));

    QVERIFY(focusTree(w.page1));
    QVERIFY(treeOf(w.page1)->currentIndex().isValid());
    QVERIFY(moveTo(w.page1, "Cam 1"));
    press(Qt::Key_Space);
    QVERIFY(moveTo(w.page1, "Cam 2"));
    press(Qt::Key_Space);
    QCOMPARE(selectionState(w), "GigE/M GigE/c1 GigE/c2 |  | GigE/c1 GigE/c2 / next on");
    press(Qt::Key_Return);
    QVERIFY(activate(w.page2));

    // The path field follows the title; select its text and type over it.
    for (int i = 0; i < 12 && nameOf(focused()) != "updateFileLineEdit"; ++i)
        press(Qt::Key_Tab);
    press(Qt::Key_A, Qt::ControlModifier);
    for (const QChar c : path)
        QTest::keyClick(focused(), c.toLatin1());
    SimulatedHost::settle();
    press(Qt::Key_Return);
    QVERIFY(activate(w.page3));
    // Page 3 takes no Enter within a double-click's time of being shown.
    QTest::qWait(QApplication::doubleClickInterval() + 1);
    press(Qt::Key_Return);
    QVERIFY(w.waitForResults());
    QVERIFY(activate(w.page5));
    QCOMPARE(w.counts(), QStringLiteral("2 0 0"));

    // Enter on the result page does what its default button says.
    QPushButton *defaultButton = nullptr;
    for (QPushButton *b : w.page5->findChildren<QPushButton *>())
        if (b->isDefault())
            defaultButton = b;
    QVERIFY(defaultButton);
    QSignalSpy clicked(defaultButton, &QAbstractButton::clicked);
    press(Qt::Key_Return);
    QCOMPARE(clicked.count(), 1);
}

void tst_WizardKeyboard::spaceActsLikeAClick_data()
{
    QTest::addColumn<QStringList>("before"); // cameras checked first
    QTest::addColumn<QString>("row");

    QTest::newRow("camera") << QStringList() << "Cam 1";
    QTest::newRow("camera unchecked again") << QStringList { "c1" } << "Cam 1";
    QTest::newRow("camera model") << QStringList() << "M";
    QTest::newRow("camera of the other model") << QStringList { "c1" } << "Cam 3";
    QTest::newRow("second camera of a model") << QStringList { "c2" } << "Cam 1";
}

// Space and a mouse click on the check box leave the same model, the same
// dataChanged signals and the same Next button behind, and Enter then goes
// on to Next.
void tst_WizardKeyboard::spaceActsLikeAClick()
{
    QFETCH(QStringList, before);
    QFETCH(QString, row);

    QStringList outcomes;
    for (const bool byKey : { true, false }) {
        WizardDriver w;
        w.addCameras({ "c1|Cam 1|M|1.0.0", "c2|Cam 2|M|1.0.0", "c3|Cam 3|N|1.0.0" });
        QVERIFY(w.start());
        w.check(before);
        QSignalSpy changed(w.page1->treeModel().data(), &QAbstractItemModel::dataChanged);
        QTreeView *tree = treeOf(w.page1);
        if (byKey) {
            QVERIFY(focusTree(w.page1));
            QVERIFY(moveTo(w.page1, row));
            press(Qt::Key_Space);
        } else {
            QVERIFY(activate(w.page1));
            QCheckBox *box = openBox(tree, row);
            QVERIFY(box && box->isVisible());
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        }
        const QString signalsSeen = Probe::dataChanged(changed);
        // Neither swallows the Enter that follows.
        QSignalSpy next(w.page1, &View::CCameraSelectionDialog::nextClicked);
        press(Qt::Key_Return);
        outcomes << selectionState(w) + " | " + signalsSeen + " | enter "
                        + QString::number(next.count());
    }
    QCOMPARE(outcomes[0], outcomes[1]);
    QCOMPARE(outcomes[0].contains("next on"), outcomes[0].endsWith("enter 1"));
}

void tst_WizardKeyboard::tabOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("stops"); // one round of Tab, from the first stop
    // Then Tab to this button and press Space: the page shown afterwards, 0 for none.
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("expected");

    QTest::newRow("cameras") << 1 << "cameraTreeView refreshButton Next Close"
                             << "Close" << 0;
    QTest::newRow("update file") << 2
                                 << "updateFileLineEdit Browse scrollArea updateNotesTextLabel "
                                    "infoTextLabel Back Next Close"
                                 << "Back" << 1;
    QTest::newRow("summary") << 3 << "cameraTreeView Back Next Close"
                             << "Back" << 2;
    QTest::newRow("results") << 5 << "cameraTreeView infoTextLabel_2 Next Save report... Close"
                             << "Next" << 1;
    // Cam 2's update fails, so Retry is offered too.
    QTest::newRow("results with a failure")
            << 5 << "cameraTreeView infoTextLabel_3 Next Save report... Retry Close"
            << "Close" << 0;
}

// Tab follows what the page shows, top to bottom and left to right, also
// while the mouse rests on a camera row and its check box is open.
void tst_WizardKeyboard::tabOrder()
{
    QFETCH(int, page);
    QFETCH(QString, stops);
    QFETCH(QString, button);
    QFETCH(int, expected);

    WizardDriver w;
    w.addCameras({ "c1|Cam 1|M|1.0.0", "c2|Cam 2|M|1.0.0" });
    const QString path = w.writeUpdateFile(updateFile(stops.contains("Retry")));
    QVERIFY(w.start());
    const QList<QWidget *> pages { w.page1, w.page2, w.page3, w.page4, w.page5 };
    if (page == 1)
        w.check({ "c1" });
    else
        QVERIFY(w.toSummary({ "c1", "c2" }, path));
    if (page == 2)
        QVERIFY(WizardDriver::click(w.page3, "Back"));
    if (page == 5) {
        QVERIFY(WizardDriver::click(w.page3, "Next"));
        QVERIFY(w.waitForResults());
    }
    QWidget *shown = pages[page - 1];
    QVERIFY(activate(shown));
    // The mouse rests on a camera row, its check box open.
    if (QTreeView *tree = treeOf(shown))
        QCOMPARE(bool(openBox(tree, "Cam 1")), page != 5);
    const QStringList order = stops.split(' ');
    for (int i = 0; i < 20 && nameOf(focused()) != order.first(); ++i)
        press(Qt::Key_Tab);
    // A label's links are stops of their own inside it: counted once.
    const auto round = [&](int key) {
        QStringList seen { nameOf(focused()) };
        for (int i = 0; i < 20 && (seen.size() == 1 || seen.last() != seen.first()); ++i) {
            press(key);
            if (nameOf(focused()) != seen.last())
                seen << nameOf(focused());
        }
        return seen;
    };
    QCOMPARE(round(Qt::Key_Tab).join(' '), stops + ' ' + order.first());
    QStringList back = round(Qt::Key_Backtab);
    std::reverse(back.begin(), back.end());
    QCOMPARE(back.join(' '), stops + ' ' + order.first());

    for (int i = 0; i < 20 && nameOf(focused()) != button; ++i)
        press(Qt::Key_Tab);
    press(Qt::Key_Space);
    int after = 0;
    for (int i = 0; i < pages.size(); ++i)
        if (pages[i]->isVisible())
            after = i + 1;
    QCOMPARE(after, expected);
}

QTEST_MAIN(tst_WizardKeyboard)
#include "tst_wizard_keyboard.moc"
