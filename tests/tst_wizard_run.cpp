#include "support/WizardDriver.h"

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

// An update is "version|description|camera ids|failure|reset|keep": ids limit
// it to those cameras, a failure stops its upload at 50 %, "reset" gives it
// one 600 ms DeviceReset phase instead of the 100 ms upload, "keep" leaves
// the camera on its old firmware although it reports done.
QByteArray updateFile(const QStringList &updates)
{
    const QString upload
            = R"({"step": "FileUpload", "estimatedMs": 100, "description": "Uploading"})";
    const QString reset = R"({"step": "DeviceReset", "estimatedMs": 600})";
    QStringList json;
    for (const QString &u : updates) {
        const QStringList f = u.split('|');
        const QString ids = f.value(2).isEmpty()
                ? QString()
                : R"(, "cameraIds": [")" + f[2].split(',').join(R"(", ")") + "\"]";
        const QString failure = f.value(3).isEmpty()
                ? QString()
                : R"(, "failure": {"step": "FileUpload", "message": ")" + f[3] + "\"}";
        const QString keep = f.value(5).isEmpty() ? QString() : R"(, "keepsOldFirmware": true)";
        // One arg() call: placeholders in the texts stay as they are.
        json << QStringLiteral(R"({"version": "%1", "description": "%2", "releaseNotes": "Notes",)"
                               R"( "models": ["M"], "phases": [%3]%4%5%6})")
                        .arg(f[0], f.value(1), f.value(4).isEmpty() ? upload : reset, ids, failure,
                             keep);
    }
    return QStringLiteral(R"({"updates": [%1]})").arg(json.join(", ")).toUtf8();
}

const QString kPath = QStringLiteral("<path>");
const QString kDone = QStringLiteral("INFO Finished all firmware updates");

// The update file and, per camera "name:verb from to", the update planned.
QStringList plan(const QStringList &updates, const QStringList &created = {})
{
    QStringList lines { "INFO Selected firmware update file " + kPath };
    for (const QString &u : updates)
        lines << "INFO Contains firmware update to version " + u.section('|', 0, 0)
              << "INFO Description: " + u.section('|', 1, 1);
    for (const QString &c : created) {
        const QStringList v = c.section(':', 1).split(' ');
        lines << QStringLiteral("INFO Created update: Update will %2 camera M %1 with version %3 "
                                "to version %4")
                         .arg(c.section(':', 0, 0), v[0], v[1], v[2]);
    }
    return lines;
}

const QString kBegin = QStringLiteral(
        "INFO Starting firmware update (%1/%2) for camera %3|INFO Camera info before update:|"
        "INFO DeviceFirmwareVersion: %4|INFO Update infos:|INFO Filename: update.guf|"
        "INFO Version: %5|INFO Description: %6|INFO Release Notes: Notes|"
        "INFO Update will take approximately %7 msec|INFO Entering update step: %8");

// Camera i of n updated from a version. The device reports nothing while it
// resets: the ticks of the step stand in.
QStringList camera(int i, int n, const QString &name, const QString &from, const QString &update)
{
    const QStringList u = update.split('|');
    const bool reset = !u.value(4).isEmpty(), fails = !u.value(3).isEmpty();
    const bool keeps = !u.value(5).isEmpty();
    const QString step = reset ? "DeviceReset" : "FileUpload";
    const int ms = reset ? 600 : 100;
    QStringList lines = kBegin.arg(QString::number(i), QString::number(n), name, from, u[0],
                                   u.value(1), QString::number(ms), step)
                                .split('|');
    if (!reset)
        lines << "INFO Update step description: Uploading";
    lines << QStringLiteral("INFO Update step will take approximately %1 msec").arg(ms);
    if (reset)
        lines << "INFO DeviceReset progress: <ticks>";
    for (int p = 0; p <= (fails ? 50 : 100) && !reset; p += 25)
        lines << QStringLiteral("INFO FileUpload progress: %1%").arg(p);
    if (fails)
        lines << "CRITICAL " + u[3];
    else
        lines << "INFO Finished update step: " + step
              << QStringLiteral("INFO Update remaining time approximately %1 msec").arg(ms)
              << "INFO Camera info after update:"
              << "INFO DeviceFirmwareVersion: " + (keeps ? from : u[0]);
    if (!fails && !keeps)
        return lines << QStringLiteral("INFO Finished firmware update (%1/%2)").arg(i).arg(n);
    if (keeps)
        lines << QStringLiteral("CRITICAL The camera reports firmware version %1 after the update; "
                                "expected %2.")
                         .arg(from, u[0]);
    lines << QStringLiteral("CRITICAL Firmware update (%1/%2) failed.").arg(i).arg(n);
    return i < n ? lines << "WARNING Further firmware updates will be skipped" : lines;
}

// How many slots listen to a model's dataChanged (QObject keeps that protected).
struct Listeners : QObject
{
    static int of(QObject *model)
    {
        return (model->*&Listeners::receivers)(
                SIGNAL(dataChanged(QModelIndex, QModelIndex, QVector<int>)));
    }
};

} // namespace

class tst_WizardRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("TZ", "UTC"); }
    void run_data();
    void run();
    void retry_data();
    void retry();
    void report();
    void fileVerdict_data();
    void fileVerdict();
    void browseFolder();
    void unloadDuringRun();
};

namespace {

// Cameras A, B and C; B's update fails, so A ends ok and C skipped.
void runWithFailure(WizardDriver &d, const QStringList &names = { "Cam A", "Cam B", "Cam C" })
{
    d.addCameras(
            { "A|" + names[0] + "|M|1.0", "B|" + names[1] + "|M|1.0", "C|" + names[2] + "|M|1.0" });
    const QString path
            = d.writeUpdateFile(updateFile({ "2.0|Fixes|A,C", "2.0|Fixes|B|Upload broke" }));
    QVERIFY(d.start());
    QVERIFY(d.toSummary({ "A", "B", "C" }, path));
    QVERIFY(WizardDriver::click(d.page3, "Next"));
    QVERIFY(d.waitForResults());
    QCOMPARE(d.counts(), QStringLiteral("1 1 1"));
}

QString notice(QWidget *page)
{
    const auto *label = page->findChild<QLabel *>("noticeTextLabel");
    return label->isVisible() ? label->text() : QString();
}

} // namespace

void tst_WizardRun::retry_data()
{
    QTest::addColumn<QString>("action");
    // The cameras planned again on page 3, or "-" when page 5 stays.
    QTest::addColumn<QString>("planned");
    // Page 5's notice, or the left-out cameras' message.
    QTest::addColumn<QString>("said");

    const char *rows[][4] = {
        { "failed and skipped", "", "B C", "" },
        { "one camera gone", "vanish:C", "B", "left out: Cam C (C)" },
        { "all gone", "vanish:B,C", "-",
          "None of the cameras to retry is connected any more: Cam B (B), Cam C (C)" },
        { "file spoilt since", "corrupt", "-", "The file could not be read: " },
        { "file fits others now", "other", "-",
          "The firmware update file selected is not compatible with your camera model." },
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]) << QString(row[3]);
}

void tst_WizardRun::retry()
{
    QFETCH(QString, action);
    QFETCH(QString, planned);
    QFETCH(QString, said);

    WizardDriver d;
    runWithFailure(d);
    if (action.startsWith("vanish:")) {
        for (const QString &id : action.mid(7).split(','))
            QVERIFY(d.host.pool.removeCamera(id));
        d.host.pool.announceEnumerationChanged();
        SimulatedHost::settle();
    } else if (action == "corrupt") {
        d.writeUpdateFile("{ not json");
    } else if (action == "other") {
        d.writeUpdateFile(updateFile({ "2.0|Fixes|A" }));
    }
    QVERIFY(WizardDriver::click(d.page5, "Retry"));
    SimulatedHost::settle();

    if (planned == "-") {
        QVERIFY(d.page5->isVisible());
        QVERIFY(notice(d.page5).startsWith(said));
    } else {
        // The plan is reviewed first: nothing has started.
        QVERIFY(d.page3->isVisible());
        QVERIFY(!d.page4->isVisible());
        QStringList ids;
        const auto model = d.page3->treeModel();
        for (int row = 0; row < model->rowCount(); ++row) {
            ids << model->index(row, 1).data().toString();
            QCOMPARE(model->index(row, 7).data().toInt(), 2);
        }
        QCOMPARE(ids.join(' '), planned);
        auto *box = d.page5->findChild<QMessageBox *>("retryLeftOutBox");
        QCOMPARE(box ? box->text().section(": ", 0, 0).section(' ', -2) + ": "
                                 + box->text().section(": ", 1)
                     : QString(),
                 said);
        QVERIFY(WizardDriver::click(d.page3, "Next"));
        QVERIFY(d.waitForResults());
        QCOMPARE(d.counts(), QStringLiteral("0 1 %1").arg(ids.size() - 1));
    }
    QVERIFY(d.closeOn(d.page5));
}

void tst_WizardRun::report()
{
    WizardDriver d;
    // Cells a spreadsheet would run, and quotes and commas to be kept.
    runWithFailure(d, { "=HYPERLINK(\"x\")", "Cam, \"B\"", "@C" });
    QVERIFY(WizardDriver::button(d.page5, "Retry")->isVisible());

    // Offered beside the log's name; saved where the user says.
    const QString target = d.temp.path() + "/run.csv";
    QString offered;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        offered = dialog->selectedFiles().value(0);
        dialog->selectFile(target);
        static_cast<QDialog *>(dialog)->accept();
    });
    QVERIFY(WizardDriver::click(d.page5, "Save report..."));
    QCOMPARE(QFileInfo(offered).fileName(),
             QFileInfo(d.service->logFilePath()).completeBaseName() + ".csv");
    QCOMPARE(notice(d.page5),
             "The report has been saved to " + QDir::toNativeSeparators(target) + ".");

    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList rows = QString::fromUtf8(file.readAll()).split("\r\n");
    QCOMPARE(rows.takeLast(), QString());
    // The times are checked for presence only.
    static const QRegularExpression times(",\"[0-9T:-]{19}\"");
    QCOMPARE(rows.replaceInStrings(times, ",T"),
             QStringList({ "\"Name\",\"Id\",\"Model\",\"Transport layer\",\"Firmware before\","
                           "\"Target version\",\"Firmware after\",\"Direction\",\"Result\","
                           "\"Error message\",\"Start time\",\"End time\"",
                           "\"'=HYPERLINK(\"\"x\"\")\",\"A\",\"M\",\"GigE\",\"1.0\",\"2.0\","
                           "\"2.0\",\"upgrade\",\"ok\",\"\",T,T",
                           "\"Cam, \"\"B\"\"\",\"B\",\"M\",\"GigE\",\"1.0\",\"2.0\",\"1.0\","
                           "\"upgrade\",\"failed\",\"Upload broke\",T,T",
                           "\"'@C\",\"C\",\"M\",\"GigE\",\"1.0\",\"2.0\",\"1.0\",\"upgrade\","
                           "\"skipped\",\"\",\"\",\"\"" }));

    // A failed write says why and leaves the report already saved alone.
    const QByteArray saved = (file.seek(0), file.readAll());
    QVERIFY(!d.page5->saveReport(target + "/inside-a-file.csv"));
    QVERIFY(notice(d.page5).startsWith("The report could not be saved to "));
    QVERIFY(!notice(d.page5).endsWith(": "));
    QFile again(target);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), saved);
    QVERIFY(d.closeOn(d.page5));
}

void tst_WizardRun::run_data()
{
    QTest::addColumn<QStringList>("cameras");
    QTest::addColumn<QStringList>("updates");
    // The cameras checked on page 1, then what happens on the way: "realtime"
    // runs the simulator's clock; "corrupt" spoils the file after page 2
    // accepted it. Page 3 shows the "downgrade"/"reinstall" warnings named;
    // there "-id"/"+id" (un)check a planned camera, "nonext" expects no Next,
    // "back:id" goes back to page 1 to uncheck a camera and "appear:id" adds
    // one to the host. While camera 1 is prepared "cancel" presses Cancel,
    // "cancel2" then closes the page too, "gone" deletes the page and
    // "vanish:id" takes a camera from the host.
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QStringList>("expectedLog");
    // "ok failed skipped", page 5's error text, if any, and its skipped
    // count and canceled line when shown.
    QTest::addColumn<QString>("expectedResult");

    const QStringList abc = { "A|Cam A|M|1.0", "B|Cam B|M|1.0", "C|Cam C|M|1.0" };
    const QString v2 = "2.0|Fixes";
    const QString skipped = " An error has occurred during the update. The subsequent updates "
                            "have been skipped.<br>Error message: ";
    const QString last = " An error has occurred during the update.<br>Error message: ";
    const QStringList up
            = { "Cam A:update 1.0 2.0", "Cam B:update 1.0 2.0", "Cam C:update 1.0 2.0" };
    const QStringList planAll = plan({ v2 }, up);
    const QStringList a13 = camera(1, 3, "Cam A", "1.0", v2);
    const QStringList b23 = camera(2, 3, "Cam B", "1.0", v2);

    QTest::newRow("three cameras, all successful")
            << abc << QStringList { v2 } << "ABC"
            << (planAll + a13 + b23 + camera(3, 3, "Cam C", "1.0", v2) << kDone) << "3 0 0";
    const QString brokenB = "2.1|Broken|B|Flash %1 failed";
    QTest::newRow("camera 2 of 3 fails")
            << abc << QStringList { brokenB, v2 } << "ABC"
            << (plan({ brokenB, v2 }, { up[0], "Cam B:update 1.0 2.1", up[2] }) + a13
                        + camera(2, 3, "Cam B", "1.0", brokenB)
                << kDone)
            << "1 1 1" + skipped + "Flash %1 failed. | Skipped updates: 1";
    const QString brokenC = "2.1|Broken|C|Flash failed";
    QTest::newRow("the last of 3 fails")
            << abc << QStringList { brokenC, v2 } << "ABC"
            << (plan({ brokenC, v2 }, { up[0], up[1], "Cam C:update 1.0 2.1" }) + a13 + b23
                        + camera(3, 3, "Cam C", "1.0", brokenC)
                << kDone)
            << "2 1 0" + last + "Flash failed. | Skipped updates: 0";

    const QString keeps = "2.0|Fixes||||keep";
    QTest::newRow("the camera keeps its old firmware")
            << abc << QStringList { keeps } << "ABC"
            << (plan({ keeps }, up) + camera(1, 3, "Cam A", "1.0", keeps) << kDone)
            << "0 1 2" + skipped
                    + "The camera reports firmware version 1.0 after the update; expected 2.0.. | "
                      "Skipped updates: 2";

    QStringList canceled = planAll + a13;
    canceled.insert(planAll.size() + 1, "WARNING User canceled firmware update");
    canceled << "INFO Firmware updates have been canceled by the user" << kDone;
    const QString canceledResult
            = "1 0 2 | Skipped updates: 2 | Firmware updates have been canceled by the user.";
    QTest::newRow("cancel during camera 1 of 3")
            << abc << QStringList { v2 } << "ABC cancel" << canceled << canceledResult;
    QTest::newRow("cancel pressed twice")
            << abc << QStringList { v2 } << "ABC cancel2" << canceled << canceledResult;

    // Nothing can be shown without the page: the run ends instead of going on.
    QTest::newRow("page gone during a run")
            << abc << QStringList { v2 } << "ABC gone"
            << (planAll + a13.mid(0, a13.size() - 3)
                << "CRITICAL Internal error. Stopping firmware update of cameras" << kDone)
            << "0 0 3 | Skipped updates: 3";
    QTest::newRow("back and forth rebuilds the plan")
            << abc << QStringList { v2 } << "ABC back:C -A"
            << (planAll + plan({ v2 }, up.mid(0, 2)) + camera(1, 1, "Cam B", "1.0", v2) << kDone)
            << "1 0 1 | Skipped updates: 1";
    QTest::newRow("host enumeration changes on pages 3 and 4")
            << abc << QStringList { v2 } << "AB appear:D vanish:C"
            << (plan({ v2 }, up.mid(0, 2)) + camera(1, 2, "Cam A", "1.0", v2)
                        + camera(2, 2, "Cam B", "1.0", v2)
                << kDone)
            << "2 0 0";
    const QString missing = "Internal error: Firmware update is missing and could not be applied.";
    const QStringList b23missing = camera(2, 3, "Cam B", "1.0", v2 + "||" + missing);
    QTest::newRow("a planned camera without an update object")
            << abc << QStringList { v2 + "|A,C" } << "ABC"
            << (plan({ v2 }, { up[0] })
                << "CRITICAL No compatible firmware update found for M S-B: detail B"
                << plan({}, { up[2] }).mid(1) + a13 << b23missing.first()
                << b23missing.mid(b23missing.size() - 3))
            << "1 1 1" + skipped + missing + ". | Skipped updates: 1";
    QTest::newRow("an empty selection is no plan")
            << abc << QStringList { v2 } << "AB -A -B nonext +B"
            << (plan({ v2 }, up.mid(0, 2)) + camera(1, 1, "Cam B", "1.0", v2) << kDone)
            << "1 0 1 | Skipped updates: 1";
    QTest::newRow("a file the host cannot read")
            << abc << QStringList { v2 } << "A corrupt nonext"
            << QStringList { plan({}).first(),
                             "CRITICAL Failed to open firmware update file: Update file \"" + kPath
                                     + "\" is not valid JSON: unterminated object at byte 3." }
            << "";

    // The first description that fits wins; a reinstall alone warns only of itself.
    const QString v3 = "3.0|Custom|B";
    QTest::newRow("a file with two descriptions")
            << QStringList { "A|Cam A|M|2.0", "B|Cam B|M|1.0" } << QStringList { v3, v2 }
            << "AB reinstall"
            << (plan({ v3, v2 }, { "Cam A:reinstall 2.0 2.0", "Cam B:update 1.0 3.0" })
                        + camera(1, 2, "Cam A", "2.0", v2) + camera(2, 2, "Cam B", "1.0", v3)
                << kDone)
            << "2 0 0";
    QTest::newRow("upgrade, reinstall and downgrade")
            << QStringList { "A|Cam A|M|1.0", "B|Cam B|M|2.0", "C|Cam C|M|3.0" }
            << QStringList { v2 } << "ABC downgrade reinstall"
            << (plan({ v2 }, { up[0], "Cam B:reinstall 2.0 2.0", "Cam C:downgrade 3.0 2.0" }) + a13
                        + camera(2, 3, "Cam B", "2.0", v2) + camera(3, 3, "Cam C", "3.0", v2)
                << kDone)
            << "3 0 0";

    // Names, descriptions and messages from the host or the file are shown
    // as they are, even when they look like placeholders.
    const QString odd = "2.0|Fix %1 and %2", oddB = odd + "|B|Lost %2 at %1";
    QTest::newRow("host texts with placeholders")
            << QStringList { "A|%2 cam %1|M|1.0", "B|%1%1|M|1.0" } << QStringList { oddB, odd }
            << "AB"
            << (plan({ odd, odd }, { "%2 cam %1:update 1.0 2.0", "%1%1:update 1.0 2.0" })
                        + camera(1, 2, "%2 cam %1", "1.0", odd) + camera(2, 2, "%1%1", "1.0", oddB)
                << kDone)
            << "1 1 0" + last + "Lost %2 at %1. | Skipped updates: 0";

    // The device is silent while it restarts; the step reports the elapsed
    // share of the estimate every 250 ms, on every camera.
    const QString reset = "2.0||||reset";
    QTest::newRow("device reset ticks")
            << abc << QStringList { reset } << "AB realtime"
            << (plan({ reset }, up.mid(0, 2)) + camera(1, 2, "Cam A", "1.0", reset)
                        + camera(2, 2, "Cam B", "1.0", reset)
                << kDone)
            << "2 0 0";
}

void tst_WizardRun::run()
{
    QFETCH(QStringList, cameras);
    QFETCH(QStringList, updates);
    QFETCH(QString, actions);
    QFETCH(QStringList, expectedLog);
    QFETCH(QString, expectedResult);

    WizardDriver d;
    d.addCameras(cameras);
    if (actions.contains("realtime"))
        d.host.pool.setTimeScale(1.0);
    const QString path = d.writeUpdateFile(updateFile(updates));
    QVERIFY(d.start());
    d.check(actions.section(' ', 0, 0).split("", Qt::SkipEmptyParts));
    QVERIFY(WizardDriver::click(d.page1, "Next"));
    d.typePath(path);
    if (actions.contains("corrupt"))
        d.writeUpdateFile("{ not json");
    QVERIFY(WizardDriver::click(d.page2, "Next"));
    QVERIFY(d.page3->isVisible());
    QCOMPARE(d.page3->findChild<QLabel *>("warningTextLabel_1")->isHidden(),
             !actions.contains("downgrade"));
    QCOMPARE(d.page3->findChild<QLabel *>("warningTextLabel_2")->isHidden(),
             !actions.contains("reinstall"));
    for (const QString &action : actions.split(' ').mid(1)) {
        const QString id = action.section(':', 1);
        if (action.startsWith('-') || action.startsWith('+')) {
            const auto model = d.page3->treeModel();
            model->setData(model->findCameraIndex(QString(), action.mid(1), 0),
                           action.startsWith('+'), Qt::EditRole);
        } else if (action == "nonext") {
            QVERIFY(!WizardDriver::button(d.page3, "Next")->isEnabled());
        } else if (action.startsWith("appear:")) {
            // Only the camera tree follows the host; the plan stays.
            d.addCameras({ id + "|Cam " + id + "|M|1.0" });
            d.host.pool.announceEnumerationChanged();
            QTRY_VERIFY(d.page1->treeModel()->findCameraIndex("GigE", id, 0).isValid());
        } else if (action.startsWith("back:")) {
            // Back to page 1 to drop a camera: the plan is made anew, the old
            // one deleted, and page 3 still listens to its model once.
            const auto old = d.page3->treeModel()->selectedCameras();
            const int listeners = Listeners::of(d.page3->treeModel().data());
            QVERIFY(WizardDriver::click(d.page3, "Back"));
            QCOMPARE(d.page3->treeModel()->rowCount(), 0);
            QVERIFY(WizardDriver::click(d.page2, "Back"));
            d.check({ id }, false);
            QVERIFY(WizardDriver::click(d.page1, "Next"));
            QVERIFY(WizardDriver::click(d.page2, "Next"));
            SimulatedHost::settle();
            QVERIFY(std::all_of(old.begin(), old.end(), [](const auto &e) { return e.isNull(); }));
            QCOMPARE(Listeners::of(d.page3->treeModel().data()), listeners);
        }
    }

    // The last action acts on the first change, camera 1's status, and is
    // posted: it comes from the event loop like a user's click.
    const QString during = actions.section(' ', -1);
    auto fired = std::make_shared<bool>(false);
    auto hint = std::make_shared<QString>(); // page 4's hint right after Cancel
    QObject::connect(
            d.page4->treeModel().data(), &QAbstractItemModel::dataChanged, d.page5,
            [&d, fired, during, hint] {
                if (std::exchange(*fired, true))
                    return;
                if (during == "gone")
                    delete d.page4.data();
                else if (during.startsWith("vanish:") && d.host.pool.removeCamera(during.mid(7)))
                    d.host.pool.announceEnumerationChanged();
                else if (during.startsWith("cancel") && WizardDriver::click(d.page4, "Cancel")) {
                    *hint = d.page4->findChild<QLabel *>("infoTextLabel_2")->text();
                    if (during == "cancel2")
                        d.page4->close();
                }
            },
            Qt::QueuedConnection);
    QWidget *last = d.page3;
    if (!expectedResult.isEmpty()) {
        QVERIFY(WizardDriver::click(d.page3, "Next"));
        QVERIFY(d.waitForResults());
        QVERIFY(!d.page4 || !d.page4->isVisible());
        auto *error = d.page5->findChild<QLabel *>("errorTextLabel");
        QString result = d.counts() + (error->isVisible() ? " " + error->text() : QString());
        for (const char *name : { "skippedUpdatesLabel", "canceledLabel" }) {
            auto *label = d.page5->findChild<QLabel *>(name);
            if (label->isVisible())
                result += " | " + label->text();
        }
        QCOMPARE(result, expectedResult);
        if (during.startsWith("cancel"))
            QCOMPARE(*hint,
                     "Canceling: the update of the camera currently being updated is being "
                     "completed. The remaining updates will be skipped.");
        last = d.page5;
    }
    QVERIFY(d.closeOn(last));

    // The reset ticks come with the clock: a run of them is one line.
    static const QRegularExpression ticks("(INFO DeviceReset progress: \\d+%\n)+");
    QCOMPARE(d.log().join('\n').replace(ticks, "INFO DeviceReset progress: <ticks>\n").split('\n'),
             expectedLog.replaceInStrings(kPath, QDir::toNativeSeparators(path)));
    // The run is over: nothing planned is left.
    QCOMPARE(d.page5->treeModel()->rowCount(), 0);
}

void tst_WizardRun::fileVerdict_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("said"); // the error row's text, "-" when hidden

    QTest::newRow("fits") << updateFile({ "2.0|Fixes" }) << "-";
    QTest::newRow("unreadable") << QByteArray("{ not json") << "The file could not be read: ";
    QTest::newRow("for other cameras")
            << updateFile({ "2.0|Fixes|Z" })
            << "The firmware update file selected is not compatible with your camera model.";
    QTest::newRow("for connected models")
            << updateFile({ "2.0|Fixes" }).replace("[\"M\"]", R"(["N", "P10", "P9"])")
            << "The firmware update file selected is not compatible with your camera model.\n"
               "This file is for: N, P9, P10.";
}

void tst_WizardRun::fileVerdict()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, said);

    WizardDriver d;
    d.addCameras({ "A|Cam A|M|1.0", "B|Cam B|N|1.0", "C|Cam C|P10|1.0", "D|Cam D|P9|1.0",
                   "E|Cam E|Q|1.0" });
    const QString path = d.writeUpdateFile(content);
    QVERIFY(d.start());
    d.check({ "A" });
    QVERIFY(WizardDriver::click(d.page1, "Next"));
    // After a file of another kind, so the row has to follow.
    d.typePath(d.writeUpdateFile("{ broken"));
    d.writeUpdateFile(content);
    d.typePath(path);
    const auto *error = d.page2->findChild<QLabel *>("errorTextLabel");
    const QString shown = error->isVisible() ? error->text() : "-";
    // A read error goes on with the host's reason.
    if (said.endsWith(": "))
        QVERIFY2(shown.startsWith(said) && shown.size() > said.size(), qPrintable(shown));
    else
        QCOMPARE(shown, said);
    QCOMPARE(WizardDriver::button(d.page2, "Next")->isEnabled(), said == "-");
    QVERIFY(d.closeOn(d.page2));
}

void tst_WizardRun::browseFolder()
{
    WizardDriver d;
    d.addCameras({ "A|Cam A|M|1.0" });
    const QString path = d.writeUpdateFile(updateFile({ "2.0|Fixes" }));
    QVERIFY(d.start());
    d.check({ "A" });
    QVERIFY(WizardDriver::click(d.page1, "Next"));

    // The folder of what the field names, else the folder last browsed to.
    const QString other = QDir(d.temp.path()).filePath("other");
    QVERIFY(QDir().mkpath(other));
    const QString chosen = other + "/chosen.guf";
    QVERIFY(QFile::copy(path, chosen));
    QStringList opened;
    const auto browse = [&](const QString &field, const QString &choose) {
        d.typePath(field);
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            opened << dialog->directory().absolutePath();
            if (choose.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectFile(choose);
            static_cast<QDialog *>(dialog)->accept();
        });
        QTest::mouseClick(d.page2->findChild<QPushButton *>("browseButton"), Qt::LeftButton);
    };
    browse(path, QString());
    browse(other, chosen);
    browse("", QString());
    browse(QDir(d.temp.path()).filePath("gone/update.guf"), QString());
    QCOMPARE(opened, QStringList({ d.temp.path(), other, other, other }));
    QVERIFY(d.closeOn(d.page2));
}

// The viewer unloads the plug-in while camera 1 of 3 is being updated: the
// camera completes, its outcome and why the run ends are logged, and no page
// is left behind or blocking the viewer.
void tst_WizardRun::unloadDuringRun()
{
    WizardDriver d;
    d.addCameras({ "A|Cam A|M|1.0", "B|Cam B|M|1.0", "C|Cam C|M|1.0" });
    // Camera A takes a third of a second, long enough to watch page 4 wait.
    d.host.pool.setTimeScale(0.5);
    const QString path = d.writeUpdateFile(updateFile({ "2.0|Fixes" }));
    QVERIFY(d.start());
    QVERIFY(d.toSummary({ "A", "B", "C" }, path));
    d.logPath = d.service->logFilePath();
    bool unloaded = false;
    QObject::connect(
            d.page4->treeModel().data(), &QAbstractItemModel::dataChanged, &d.host.pool,
            [&] {
                if (!std::exchange(unloaded, true))
                    d.unload();
            },
            Qt::QueuedConnection);
    // What page 4 shows while the viewer waits for camera A.
    QString hint;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (unloaded && d.page4 && hint.isEmpty())
            hint = d.page4->findChild<QLabel *>("infoTextLabel_2")->text();
    });
    watch.start(0);
    QVERIFY(WizardDriver::click(d.page3, "Next"));
    QTRY_VERIFY_WITH_TIMEOUT(unloaded, 60000);
    SimulatedHost::settle();
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QTRY_COMPARE(d.host.mainWindow->findChildren<View::CUpdateDialogBase *>().size(), 0);
    const QStringList tail = d.log().mid(d.log().indexOf("INFO Camera info after update:"));
    QCOMPARE(tail,
             QStringList({ "INFO Camera info after update:", "INFO DeviceFirmwareVersion: 2.0",
                           "INFO Finished firmware update (1/3)",
                           "WARNING Further firmware updates will be skipped",
                           "WARNING Firmware Updater unloaded while the wizard was open" }));
    QCOMPARE(d.host.pool.camera("B")->currentFirmwareVersion(), "1.0");
    QCOMPARE(hint,
             "The update of the camera currently being updated is being completed. Then the "
             "Firmware Updater closes.");
}

QTEST_MAIN(tst_WizardRun)
#include "tst_wizard_run.moc"
