#include "support/WizardDriver.h"

namespace {

const QStringList kCameras = { "A|Cam A|M|1.0", "B|Cam B|M|1.0", "C|Cam C|M|1.0" };
const QByteArray kFile = R"({"updates": [{"version": "2.0", "models": ["M"], "phases": [)"
                         R"({"step": "FileUpload", "estimatedMs": 100}]}]})";

} // namespace

class tst_WizardNavigation : public QObject
{
    Q_OBJECT

private slots:
    // The window state of page 1 carries to the page closed, and so does a normal
    // geometry; a full-screen page comes back maximized.
    void closeOnEachPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("expectedState");

        const int normal = Qt::WindowNoState, min = Qt::WindowMinimized, max = Qt::WindowMaximized;
        QTest::newRow("camera selection") << 1 << normal << normal;
        QTest::newRow("update file, normal") << 2 << normal << normal;
        QTest::newRow("update file, minimized") << 2 << min << min;
        QTest::newRow("summary, maximized") << 3 << max << max;
        QTest::newRow("results, full screen") << 5 << int(Qt::WindowFullScreen) << max;
    }

    void closeOnEachPage()
    {
        QFETCH(int, page);
        QFETCH(int, state);
        QFETCH(int, expectedState);

        WizardDriver d;
        d.addCameras(kCameras);
        const QString path = d.writeUpdateFile(kFile);
        QVERIFY(d.start());
        const QList<QWidget *> pages = { d.page1, d.page2, d.page3, d.page4, d.page5 };
        d.page1->move(100, 90);
        d.page1->resize(720, 600);
        d.page1->setWindowState(Qt::WindowStates(state));
        if (page >= 2) {
            d.check({ "A" });
            QVERIFY(WizardDriver::click(d.page1, "Next"));
            d.typePath(path);
        }
        if (page >= 3)
            QVERIFY(WizardDriver::click(d.page2, "Next"));
        if (page >= 5) {
            QVERIFY(WizardDriver::click(d.page3, "Next"));
            QVERIFY(d.waitForResults());
        }
        QWidget *closing = pages[page - 1];
        QCOMPARE(int(closing->windowState()), expectedState);
        // A maximized page ignores the stored normal geometry.
        QCOMPARE(QRect(closing->pos(), closing->size()) == QRect(100, 90, 720, 600),
                 !(expectedState & Qt::WindowMaximized));
        QVERIFY(d.closeOn(closing));
        for (QWidget *p : pages)
            QVERIFY(!p->isVisible());
        QCOMPARE(d.page3->treeModel()->rowCount(), 0);

        // The machine has stopped, so the wizard starts again.
        QVERIFY(d.start());
        QVERIFY(d.closeOn(d.page1));
    }

    void secondRunReusesGeometryAndFile()
    {
        WizardDriver d;
        d.addCameras(kCameras);
        const QString path = d.writeUpdateFile(kFile);
        QVERIFY(d.start());
        d.page1->move(120, 80);
        d.page1->resize(720, 600);
        QVERIFY(d.toSummary({ "A" }, path));
        QCOMPARE(d.page3->pos(), QPoint(120, 80));
        QVERIFY(WizardDriver::click(d.page3, "Next"));
        QVERIFY(d.waitForResults());
        d.page5->resize(760, 610);
        QVERIFY(d.closeOn(d.page5));
        const QString firstPath = d.logPath;
        const QStringList firstLog = d.log();
        QVERIFY(firstLog.contains("INFO Finished firmware update (1/1)"));

        // Second run: same geometry, same file, a log of its own.
        QVERIFY(d.start());
        QCOMPARE(QRect(d.page1->pos(), d.page1->size()), QRect(120, 80, 760, 610));
        d.check({ "B" });
        QVERIFY(WizardDriver::click(d.page1, "Next"));
        QCOMPARE(d.page2->findChild<QLineEdit *>("updateFileLineEdit")->text(),
                 QDir::toNativeSeparators(path));
        QVERIFY(WizardDriver::click(d.page2, "Next"));
        QVERIFY(WizardDriver::click(d.page3, "Next"));
        QVERIFY(d.waitForResults());
        QVERIFY(d.closeOn(d.page5));
        QStringList log = d.log();
        // Within the same second the earlier log is continued, not wiped.
        if (d.logPath == firstPath) {
            QCOMPARE(log.mid(0, firstLog.size()), firstLog);
            log = log.mid(firstLog.size());
        }
        QCOMPARE(log.filter("Starting firmware update"),
                 QStringList { "INFO Starting firmware update (1/1) for camera Cam B" });
        QCOMPARE(log.count("INFO Finished all firmware updates"), 1);
    }
};

QTEST_MAIN(tst_WizardNavigation)
#include "tst_wizard_navigation.moc"
