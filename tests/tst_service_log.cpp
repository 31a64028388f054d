#include "service/CFirmwareUpdaterService.h"
#include "service/CLogTimeStamp.h"
#include "support/SimulatedHost.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using Plugin::FirmwareUpdater::ELogLevel;
using Plugin::FirmwareUpdater::Info;
using Plugin::FirmwareUpdater::Internal::Service::CFirmwareUpdaterService;
using Plugin::FirmwareUpdater::Internal::Service::CLogTimeStamp;

class tst_ServiceLog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        // Closed logs are deleted later; let that happen inside the test.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Every line is flushed: a second reader sees it at once.
    void logLinesAndLifeCycle()
    {
        TempFolder temp;
        CFirmwareUpdaterService service(nullptr);
        // Translation goes through 8-bit keys; what cannot make the trip is
        // returned whole rather than cut or turned into '?'.
        const QString kept = QString("kept") + QChar(0) + "whole " + QChar(0xdc00);
        service.setLastErrorMessage(kept);
        service.closeLogFile(); // nothing open: the message stays
        QCOMPARE(service.writeLog(Info, QString()), QString());
        QCOMPARE(service.logFilePath() + temp.logs().join(',') + service.lastErrorMessage(), kept);

        static const QRegularExpression line(QStringLiteral("^(\\w{3} \\w{3} .+ \\d{4}) (.*)\n$"));
        const QString unicode = QString::fromUtf8("カメラ — Ü");
        QFile reader;
        QStringList lines;
        const QVector<QPair<int, QString>> writes
                = { { 0, "m" }, { 1, "m" },  { 2, "m" },           { 3, "m" },
                    { 7, "m" }, { -1, "m" }, { 1, "%1 and %2%3" }, { 1, unicode },
                    // A host text cannot forge a line, nor lose characters.
                    { 1, "a\nINFO forged\r\n\tb" },
                    { 1, QString("x") + QChar(0) + QChar(0xd800) + QChar(0x2028) + "\\n" } };
        for (const auto &write : writes) {
            QCOMPARE(service.writeLog(ELogLevel(write.first), write.second), write.second);
            if (!reader.isOpen()) {
                reader.setFileName(service.logFilePath());
                QVERIFY(reader.open(QIODevice::ReadOnly));
            }
            const QRegularExpressionMatch match = line.match(QString::fromUtf8(reader.readLine()));
            QVERIFY(QDateTime::fromString(match.captured(1), Qt::TextDate).isValid());
            lines << match.captured(2);
        }
        QCOMPARE(lines.join('|'),
                 "DEBUG m|INFO m|WARNING m|CRITICAL m|INFO m|INFO m|INFO %1 and %2%3|INFO "
                         + unicode + "|INFO a\\nINFO forged\\r\\n\tb|INFO x\\u0000\\ud800\\u2028\\n");
        QVERIFY(reader.atEnd());
        QCOMPARE(QFileInfo(reader).absolutePath(), temp.path());
        QCOMPARE(temp.logs(), QStringList { QFileInfo(reader).fileName() });

        service.closeLogFile();
        QCOMPARE(service.logFilePath() + service.lastErrorMessage(), QString());

        // A new log within the same second must not wipe the closed one.
        service.openLogFile();
        service.writeLog(Info, QStringLiteral("next run"));
        reader.seek(0);
        QCOMPARE(reader.readAll().count('\n'),
                 writes.size()
                         + (service.logFilePath() == QFileInfo(reader).absoluteFilePath() ? 1 : 0));
    }

    // The remembered text is the one local time gives for each moment, also
    // across a second's edge, a clock set back, a daylight saving change
    // and times before 1970.
    void timeStamp_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QVector<qint64>>("moments"); // milliseconds since the epoch, in order

        const qint64 second = 1780000000000;
        QTest::newRow("within and across seconds")
                << QByteArray("UTC")
                << QVector<qint64> { second, second + 999, second + 1000, second + 1999 };
        QTest::newRow("clock set back") << QByteArray("Asia/Tokyo")
                                        << QVector<qint64> { second + 1500, second + 400, second };
        // 2026-03-29 01:00 UTC: Berlin goes from 01:59:59 to 03:00:00.
        QTest::newRow("daylight saving starts")
                << QByteArray("Europe/Berlin")
                << QVector<qint64> { 1774745999000, 1774745999999, 1774746000000 };
        QTest::newRow("before 1970")
                << QByteArray("UTC") << QVector<qint64> { -1500, -1001, -1000, -1, 0 };
    }
    void timeStamp()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QVector<qint64>, moments);
        const QByteArray oldZone = qgetenv("TZ");
        qputenv("TZ", zone);
        CLogTimeStamp stamp;
        QStringList texts;
        QStringList expected;
        for (qint64 moment : moments) {
            texts << stamp.text(moment);
            expected << QDateTime::fromMSecsSinceEpoch(moment - (moment % 1000 + 1000) % 1000)
                                .toString(Qt::TextDate);
        }
        qputenv("TZ", oldZone);
        QCOMPARE(texts, expected);
        QCOMPARE(stamp.text().size(), QDateTime::currentDateTime().toString(Qt::TextDate).size());
    }

    // The log's predictable name in a shared folder: whatever another user
    // planted there is never followed or written, the run gets a file of
    // its own beside it. A missing folder and a full disk are not hidden.
    void logStaysOurs_data()
    {
        QTest::addColumn<QString>("plant");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing planted") << "" << "name:own folder:temp complete:1 victim:0";
        QTest::newRow("symbolic link") << "link" << "name:unique folder:temp complete:1 victim:0";
        QTest::newRow("hard link") << "hardlink" << "name:unique folder:temp complete:1 victim:0";
        QTest::newRow("dangling link") << "dangling" << "name:unique folder:temp complete:1 victim:-";
        QTest::newRow("another user's file") << "foreign" << "name:unique folder:temp complete:1 victim:0";
        QTest::newRow("folder gone") << "nofolder" << "name:own folder:other complete:1 victim:-";
        QTest::newRow("disk full") << "full" << "name:own folder:temp complete:0 victim:-";
    }
    void logStaysOurs()
    {
        QFETCH(QString, plant);
        QFETCH(QString, expected);
        TempFolder temp;
        const QString victim = temp.path() + "/victim";
        QFile victimFile(victim);
        QVERIFY(victimFile.open(QIODevice::WriteOnly));
        victimFile.close();
        if (plant == "foreign" && ::geteuid() != 0)
            QSKIP("Only root can plant a file of another user");

        // The name depends on the second the log is opened in.
        const QDateTime now = QDateTime::currentDateTime();
        for (int second = 0; second < 3 && !plant.isEmpty(); ++second) {
            const QString name = temp.path() + "/OndrelFirmwareUpdaterGUI_"
                    + now.addSecs(second).toString("yyyyMMdd_HHmmss") + ".log";
            const QByteArray target = QFile::encodeName(plant == "dangling" ? temp.path() + "/new" : victim);
            if (plant == "link" || plant == "dangling")
                QVERIFY(::symlink(target.constData(), QFile::encodeName(name).constData()) == 0);
            else if (plant == "hardlink")
                QVERIFY(::link(target.constData(), QFile::encodeName(name).constData()) == 0);
            else if (plant == "foreign") {
                QFile file(name);
                QVERIFY(file.open(QIODevice::WriteOnly));
                QVERIFY(::fchown(file.handle(), 65534, 65534) == 0);
            }
        }
        if (plant == "nofolder")
            qputenv("TMPDIR", QFile::encodeName(temp.path() + "/absent"));

        CFirmwareUpdaterService service(nullptr);
        rlimit old {};
        if (plant == "full") {
            // A file size limit stands in for a full disk, also for root.
            std::signal(SIGXFSZ, SIG_IGN);
            getrlimit(RLIMIT_FSIZE, &old);
            rlimit limit = old;
            limit.rlim_cur = 200;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        for (int i = 0; i < 5; ++i)
            service.writeLog(Info, QString(60, 'x'));
        const QString path = service.logFilePath();
        const bool complete = service.isLogFileComplete();
        service.closeLogFile();
        if (plant == "full")
            setrlimit(RLIMIT_FSIZE, &old);
        QFile log(path);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const bool full = log.readAll().count('\n') == 5;
        QCOMPARE(full, complete);

        static const QRegularExpression own("^OndrelFirmwareUpdaterGUI_\\d{8}_\\d{6}\\.log$");
        static const QRegularExpression unique("^OndrelFirmwareUpdaterGUI_\\d{8}_\\d{6}_\\w{6}\\.log$");
        const QFileInfo info(path);
        const QString actual = QString("name:%1 folder:%2 complete:%3 victim:%4")
                .arg(own.match(info.fileName()).hasMatch()       ? "own"
                             : unique.match(info.fileName()).hasMatch() ? "unique"
                                                                       : info.fileName(),
                     info.absolutePath() == temp.path() ? "temp"
                             : info.absoluteDir().exists() && !info.absoluteDir().isRoot() ? "other"
                                                                                           : info.absolutePath(),
                     QString::number(complete),
                     plant.isEmpty() || plant.endsWith("link") || plant == "foreign"
                             ? QString::number(QFileInfo(victim).size())
                             : "-");
        QFile::remove(path);
        QCOMPARE(actual, expected);
    }

    void folderGetsOneSeparator_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain folder") << "<temp>";
        QTest::newRow("trailing slash") << "<temp>/";
        // Unwritable unless the tests run with privileges: lines are dropped.
        QTest::newRow("root") << "/";
    }
    void folderGetsOneSeparator()
    {
        QFETCH(QString, folder);
        TempFolder temp;
        folder.replace(QStringLiteral("<temp>"), temp.path());
        qputenv("TMPDIR", folder.toLocal8Bit());
        CFirmwareUpdaterService service(nullptr);
        QCOMPARE(service.writeLog(Info, QStringLiteral("x")), QStringLiteral("x"));
        const QString path = service.logFilePath();
        service.closeLogFile();
        QFile::remove(path);
        const QString prefix = folder.endsWith('/') ? folder : folder + '/';
        QVERIFY2(path.startsWith(prefix), qPrintable(path));
        static const QRegularExpression name("^OndrelFirmwareUpdaterGUI_\\d{8}_\\d{6}\\.log$");
        QVERIFY2(name.match(path.mid(prefix.size())).hasMatch(), qPrintable(path));
    }
};

QTEST_GUILESS_MAIN(tst_ServiceLog)
#include "tst_service_log.moc"
