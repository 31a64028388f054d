#include "support/WizardDriver.h"

#include <QLabel>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

const QString kPath = QStringLiteral("<path>");
const QString kUpload = QStringLiteral(
        R"({"step": "FileUpload", "estimatedMs": 100, "description": "Uploading"})");

// One update of an update file; ids limit it to those cameras.
QString update(const QString &version, const QString &description, const QStringList &ids = {},
               const QString &failure = QString(), const QString &phases = kUpload)
{
    QString json = QStringLiteral(R"({"version": "%1", "description": "%2", "releaseNotes": )"
                                  R"("Notes", "models": ["M"], "phases": [%3])")
                           .arg(version, description, phases);
    if (!ids.isEmpty())
        json += QStringLiteral(R"(, "cameraIds": ["%1"])").arg(ids.join(QStringLiteral("\", \"")));
    if (!failure.isNull())
        json += QStringLiteral(R"(, "failure": {"step": "FileUpload", "message": "%1"})")
                        .arg(failure);
    return json + QLatin1Char('}');
}

QByteArray updateFile(const QStringList &updates)
{
    return QStringLiteral(R"({"updates": [%1]})").arg(updates.join(QStringLiteral(", "))).toUtf8();
}

// Expected log lines, built from the texts the run writes.
struct Update
{
    QString version;
    QString description;
    unsigned int totalMs = 100;
};

QStringList plan(const QList<Update> &updates)
{
    QStringList lines { QStringLiteral("INFO Selected firmware update file ") + kPath };
    for (const Update &u : updates)
        lines << QStringLiteral("INFO Contains firmware update to version ") + u.version
              << QStringLiteral("INFO Description: ") + u.description;
    return lines;
}

// "verb from to" per camera "Cam <id>".
QStringList created(const QString &ids, const QStringList &changes)
{
    QStringList lines;
    for (int i = 0; i < changes.size(); ++i) {
        const QStringList c = changes[i].split(QLatin1Char(' '));
        lines << QStringLiteral("INFO Created update: Update will %1 camera M Cam %2 with version "
                                "%3 to version %4")
                         .arg(c[0], QString(ids.at(i)), c[1], c[2]);
    }
    return lines;
}

QStringList begin(int i, int n, const QString &name, const QString &from, const Update &u)
{
    return QStringLiteral("INFO Starting firmware update (%1/%2) for camera %3|INFO Camera info "
                          "before update:|INFO DeviceFirmwareVersion: %4|INFO Update infos:|INFO "
                          "Filename: update.guf|INFO Version: %5|INFO Description: %6|INFO "
                          "Release Notes: Notes|INFO Update will take approximately %7 msec")
            .arg(QString::number(i), QString::number(n), name, from, u.version, u.description,
                 QString::number(u.totalMs))
            .split('|');
}

// One phase as the simulator reports it; a failing one stops after 50 %. The
// device reports nothing while it resets: the ticks of the step stand in.
QStringList phase(const QString &step, unsigned int ms, const QString &failure = QString())
{
    QStringList lines { "INFO Entering update step: " + step };
    if (step == QLatin1String("FileUpload"))
        lines << "INFO Update step description: Uploading";
    lines << QStringLiteral("INFO Update step will take approximately %1 msec").arg(ms);
    if (step == QLatin1String("DeviceReset"))
        lines << "INFO DeviceReset progress: <ticks>";
    for (int p = 0; p <= (failure.isNull() ? 100 : 50) && step != "DeviceReset"; p += 25)
        lines << QStringLiteral("INFO %1 progress: %2%").arg(step).arg(p);
    if (!failure.isNull())
        return lines << "CRITICAL " + failure;
    return lines << "INFO Finished update step: " + step
                 << QStringLiteral("INFO Update remaining time approximately %1 msec").arg(ms);
}

QStringList end(int i, int n, const QString &to)
{
    return { "INFO Camera info after update:", "INFO DeviceFirmwareVersion: " + to,
             QStringLiteral("INFO Finished firmware update (%1/%2)").arg(i).arg(n) };
}

QStringList ok(int i, int n, const QString &name, const QString &from, const Update &u)
{
    return begin(i, n, name, from, u) + phase("FileUpload", 100) + end(i, n, u.version);
}

QStringList failed(int i, int n, bool more)
{
    QStringList lines { QStringLiteral("CRITICAL Firmware update (%1/%2) failed.").arg(i).arg(n) };
    if (more)
        lines << "WARNING Further firmware updates will be skipped";
    return lines;
}

const QString kDone = QStringLiteral("INFO Finished all firmware updates");

// How many slots listen to a model's dataChanged (QObject keeps that protected).
struct Listeners : QObject
{
    static int of(QObject *model)
    {
        return (model->*&Listeners::receivers)(
                SIGNAL(dataChanged(QModelIndex, QModelIndex, QVector<int>)));
    }
};

// The reset ticks come with the clock: a run of them is one line.
QStringList collapseTicks(const QStringList &lines)
{
    static const QRegularExpression ticks(QStringLiteral("(INFO DeviceReset progress: \\d+%\n)+"));
    QString text = lines.join('\n') + '\n';
    return text.replace(ticks, QStringLiteral("INFO DeviceReset progress: <ticks>\n"))
            .split('\n', Qt::SkipEmptyParts);
}

} // namespace

class tst_WizardRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("TZ", "UTC"); }
    void run_data();
    void run();
};

void tst_WizardRun::run_data()
{
    QTest::addColumn<QStringList>("cameras");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("checked");
    // "realtime" runs the simulator's clock; "corrupt" spoils the file after
    // page 2 accepted it. Page 3 shows the "downgrade"/"reinstall" warnings
    // named; there "-id"/"+id" (un)check a planned camera, "nonext" expects no
    // Next, "back:id" goes back to page 1 to uncheck a camera and "appear:id"
    // adds one to the host. While camera 1 is prepared "cancel" presses
    // Cancel, "cancel2" then closes the page too, "gone" deletes the page and
    // "vanish:id" takes a camera from the host.
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QStringList>("expectedLog");
    // "ok failed skipped" and page 5's error text, if any.
    QTest::addColumn<QString>("expectedResult");

    const QStringList abc = { "A|Cam A|M|1.0", "B|Cam B|M|1.0", "C|Cam C|M|1.0" };
    const QStringList all = { "A", "B", "C" };
    const QByteArray fixes = updateFile({ update("2.0", "Fixes") });
    const Update v2 { "2.0", "Fixes" };
    const Update broken { "2.1", "Broken" };
    const QString skippedError = QStringLiteral(
            " An error has occurred during the update. The subsequent updates have been "
            "skipped.<br>Error message: %1.");
    const QString lastError
            = QStringLiteral(" An error has occurred during the update.<br>Error message: %1.");
    const QStringList planAll = plan({ v2 })
            + created("ABC", { "update 1.0 2.0", "update 1.0 2.0", "update 1.0 2.0" });

    QTest::newRow("three cameras, all successful")
            << abc << fixes << all << ""
            << (planAll + ok(1, 3, "Cam A", "1.0", v2) + ok(2, 3, "Cam B", "1.0", v2)
                        + ok(3, 3, "Cam C", "1.0", v2)
                << kDone)
            << "3 0 0";

    QTest::newRow("camera 2 of 3 fails")
            << abc
            << updateFile({ update("2.1", "Broken", { "B" }, "Flash %1 failed"),
                            update("2.0", "Fixes") })
            << all << ""
            << (plan({ broken, v2 })
                        + created("ABC", { "update 1.0 2.0", "update 1.0 2.1", "update 1.0 2.0" })
                        + ok(1, 3, "Cam A", "1.0", v2) + begin(2, 3, "Cam B", "1.0", broken)
                        + phase("FileUpload", 100, "Flash %1 failed") + failed(2, 3, true)
                << kDone)
            << "1 1 1" + skippedError.arg("Flash %1 failed");

    QTest::newRow("the last of 3 fails")
            << abc
            << updateFile(
                       { update("2.1", "Broken", { "C" }, "Flash failed"), update("2.0", "Fixes") })
            << all << ""
            << (plan({ broken, v2 })
                        + created("ABC", { "update 1.0 2.0", "update 1.0 2.0", "update 1.0 2.1" })
                        + ok(1, 3, "Cam A", "1.0", v2) + ok(2, 3, "Cam B", "1.0", v2)
                        + begin(3, 3, "Cam C", "1.0", broken)
                        + phase("FileUpload", 100, "Flash failed") + failed(3, 3, false)
                << kDone)
            << "2 1 0" + lastError.arg("Flash failed");

    const QStringList canceled = QStringList(planAll)
            << begin(1, 3, "Cam A", "1.0", v2).first() << "WARNING User canceled firmware update"
            << begin(1, 3, "Cam A", "1.0", v2).mid(1) + phase("FileUpload", 100) + end(1, 3, "2.0")
            << "INFO Firmware updates have been canceled by the user" << kDone;
    QTest::newRow("cancel during camera 1 of 3")
            << abc << fixes << all << "cancel" << canceled << "1 0 2";
    QTest::newRow("cancel pressed twice")
            << abc << fixes << all << "cancel2" << canceled << "1 0 2";

    // Nothing can be shown without the page: the run ends instead of going on.
    QTest::newRow("page gone during a run")
            << abc << fixes << all << "gone"
            << (planAll + begin(1, 3, "Cam A", "1.0", v2) + phase("FileUpload", 100)
                << "CRITICAL Internal error. Stopping firmware update of cameras" << kDone)
            << "0 0 3";

    QTest::newRow("back and forth rebuilds the plan")
            << abc << fixes << all << "back:C -A"
            << (planAll + plan({ v2 }) + created("AB", { "update 1.0 2.0", "update 1.0 2.0" })
                        + ok(1, 1, "Cam B", "1.0", v2)
                << kDone)
            << "1 0 1";

    QTest::newRow("host enumeration changes on pages 3 and 4")
            << abc << fixes << QStringList { "A", "B" } << "appear:D vanish:C"
            << (plan({ v2 }) + created("AB", { "update 1.0 2.0", "update 1.0 2.0" })
                        + ok(1, 2, "Cam A", "1.0", v2) + ok(2, 2, "Cam B", "1.0", v2)
                << kDone)
            << "2 0 0";

    QTest::newRow("a planned camera without an update object")
            << abc << updateFile({ update("2.0", "Fixes", { "A", "C" }) }) << all << ""
            << (plan({ v2 }) + created("A", { "update 1.0 2.0" })
                << "CRITICAL No compatible firmware update found for M S-B: detail B"
                << created("C", { "update 1.0 2.0" }) + ok(1, 3, "Cam A", "1.0", v2)
                << "INFO Starting firmware update (2/3) for camera Cam B"
                << "CRITICAL Internal error: Firmware update is missing and could not be applied."
                << failed(2, 3, true))
            << "1 1 1"
                    + skippedError.arg(
                            "Internal error: Firmware update is missing and could not be applied.");

    QTest::newRow("an empty selection is no plan")
            << abc << fixes << QStringList { "A", "B" } << "-A -B nonext +B"
            << (plan({ v2 }) + created("AB", { "update 1.0 2.0", "update 1.0 2.0" })
                        + ok(1, 1, "Cam B", "1.0", v2)
                << kDone)
            << "1 0 1";

    QTest::newRow("a file the host cannot read")
            << abc << fixes << QStringList { "A" } << "corrupt nonext"
            << QStringList { plan({}).first(),
                             "CRITICAL Failed to open firmware update file: Update file \"" + kPath
                                     + "\" is not valid JSON: unterminated object at byte 3." }
            << "";

    // The first description that fits wins; a reinstall alone warns only of itself.
    const Update v3 { "3.0", "Custom" };
    QTest::newRow("a file with two descriptions")
            << QStringList { "A|Cam A|M|2.0", "B|Cam B|M|1.0" }
            << updateFile({ update("3.0", "Custom", { "B" }), update("2.0", "Fixes") })
            << QStringList { "A", "B" } << "reinstall"
            << (plan({ v3, v2 }) + created("AB", { "reinstall 2.0 2.0", "update 1.0 3.0" })
                        + ok(1, 2, "Cam A", "2.0", v2) + ok(2, 2, "Cam B", "1.0", v3)
                << kDone)
            << "2 0 0";

    QTest::newRow("upgrade, reinstall and downgrade")
            << QStringList { "A|Cam A|M|1.0", "B|Cam B|M|2.0", "C|Cam C|M|3.0" } << fixes << all
            << "downgrade reinstall"
            << (plan({ v2 })
                        + created("ABC",
                                  { "update 1.0 2.0", "reinstall 2.0 2.0", "downgrade 3.0 2.0" })
                        + ok(1, 3, "Cam A", "1.0", v2) + ok(2, 3, "Cam B", "2.0", v2)
                        + ok(3, 3, "Cam C", "3.0", v2)
                << kDone)
            << "3 0 0";

    // Names, descriptions and messages from the host or the file are shown
    // as they are, even when they look like placeholders.
    const Update odd { "2.0", "Fix %1 and %2" };
    QTest::newRow("host texts with placeholders")
            << QStringList { "A|%2 cam %1|M|1.0", "B|%1%1|M|1.0" }
            << updateFile({ update("2.0", "Fix %1 and %2", { "B" }, "Lost %2 at %1"),
                            update("2.0", "Fix %1 and %2") })
            << QStringList { "A", "B" } << ""
            << (plan({ odd, odd })
                << "INFO Created update: Update will update camera M %2 cam %1 with version 1.0 to "
                   "version 2.0"
                << "INFO Created update: Update will update camera M %1%1 with version 1.0 to "
                   "version 2.0"
                << ok(1, 2, "%2 cam %1", "1.0", odd) + begin(2, 2, "%1%1", "1.0", odd)
                        + phase("FileUpload", 100, "Lost %2 at %1") + failed(2, 2, false)
                << kDone)
            << "1 1 0" + lastError.arg("Lost %2 at %1");

    // The device is silent while it restarts; the step reports the elapsed
    // share of the estimate every 250 ms, on every camera.
    const Update reset { "2.0", "", 600 };
    QTest::newRow("device reset ticks")
            << abc
            << updateFile({ update("2.0", "", {}, QString(),
                                   R"({"step": "DeviceReset", "estimatedMs": 600})") })
            << QStringList { "A", "B" } << "realtime"
            << (plan({ reset }) + created("AB", { "update 1.0 2.0", "update 1.0 2.0" })
                        + begin(1, 2, "Cam A", "1.0", reset) + phase("DeviceReset", 600)
                        + end(1, 2, "2.0") + begin(2, 2, "Cam B", "1.0", reset)
                        + phase("DeviceReset", 600) + end(2, 2, "2.0")
                << kDone)
            << "2 0 0";
}

void tst_WizardRun::run()
{
    QFETCH(QStringList, cameras);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, checked);
    QFETCH(QString, actions);
    QFETCH(QStringList, expectedLog);
    QFETCH(QString, expectedResult);

    WizardDriver d;
    d.addCameras(cameras);
    if (actions.contains("realtime"))
        d.host.pool.setTimeScale(1.0);
    const QString path = d.writeUpdateFile(file);
    QVERIFY(d.start());
    d.check(checked);
    QVERIFY(WizardDriver::click(d.page1, "Next"));
    d.typePath(path);
    QVERIFY(WizardDriver::nextEnabled(d.page2));
    if (actions.contains("corrupt"))
        d.writeUpdateFile("{ not json");
    QVERIFY(WizardDriver::click(d.page2, "Next"));
    QVERIFY(d.page3->isVisible());
    QCOMPARE(d.page3->findChild<QLabel *>("warningTextLabel_1")->isHidden(),
             !actions.contains("downgrade"));
    QCOMPARE(d.page3->findChild<QLabel *>("warningTextLabel_2")->isHidden(),
             !actions.contains("reinstall"));
    for (const QString &action : actions.split(' ')) {
        const QString id = action.section(':', 1);
        if (action.startsWith('-') || action.startsWith('+')) {
            d.checkPlanned(action.mid(1), action.startsWith('+'));
        } else if (action == "nonext") {
            QVERIFY(!WizardDriver::nextEnabled(d.page3));
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
            WizardDriver::settle();
            QVERIFY(std::all_of(old.begin(), old.end(), [](const auto &e) { return e.isNull(); }));
            QCOMPARE(Listeners::of(d.page3->treeModel().data()), listeners);
        }
    }

    const QString during = actions.section(' ', -1);
    if (QStringList { "cancel", "cancel2", "gone" }.contains(during)
        || during.startsWith("vanish:")) {
        // Acts on the first change, camera 1's status, and is posted: it comes
        // from the event loop like a user's click.
        auto fired = std::make_shared<bool>(false);
        QObject::connect(
                d.page4->treeModel().data(), &QAbstractItemModel::dataChanged, d.page5,
                [&d, fired, during] {
                    if (std::exchange(*fired, true))
                        return;
                    if (during == "gone") {
                        delete d.page4.data();
                    } else if (during.startsWith("vanish:")) {
                        d.host.pool.removeCamera(during.section(':', 1));
                        d.host.pool.announceEnumerationChanged();
                    } else if (WizardDriver::click(d.page4, "Cancel") && during == "cancel2") {
                        d.page4->close();
                    }
                },
                Qt::QueuedConnection);
    }
    QWidget *last = d.page3;
    if (!expectedResult.isEmpty()) {
        QVERIFY(WizardDriver::click(d.page3, "Next"));
        QVERIFY(d.waitForResults());
        QVERIFY(!d.page4 || !d.page4->isVisible());
        QString result = d.counts();
        auto *error = d.page5->findChild<QLabel *>("errorTextLabel");
        if (error->isVisible())
            result += ' ' + error->text();
        QCOMPARE(result, expectedResult);
        last = d.page5;
    }
    QVERIFY(d.closeOn(last));

    QStringList expected = expectedLog;
    expected.replaceInStrings(kPath, QDir::toNativeSeparators(path));
    QCOMPARE(collapseTicks(d.log()), expected);
    // The run is over: nothing planned is left.
    QCOMPARE(d.page5->treeModel()->rowCount(), 0);
}

QTEST_MAIN(tst_WizardRun)
#include "tst_wizard_run.moc"
