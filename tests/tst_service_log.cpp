#include "service/CFirmwareUpdaterService.h"
#include "service/CLogTimeStamp.h"
#include "support/SimulatedHost.h"

#include <QtTest>

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
        service.setLastErrorMessage(QStringLiteral("kept"));
        service.closeLogFile(); // nothing open: the message stays
        QCOMPARE(service.writeLog(Info, QString()), QString());
        QCOMPARE(service.logFilePath() + temp.logs().join(',') + service.lastErrorMessage(),
                 QStringLiteral("kept"));

        static const QRegularExpression line(QStringLiteral("^(\\w{3} \\w{3} .+ \\d{4}) (.*)\n$"));
        const QString unicode = QString::fromUtf8("カメラ — Ü");
        QFile reader;
        QStringList lines;
        const QVector<QPair<int, QString>> writes
                = { { 0, "m" }, { 1, "m" },  { 2, "m" },           { 3, "m" },
                    { 7, "m" }, { -1, "m" }, { 1, "%1 and %2%3" }, { 1, unicode } };
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
                         + unicode);
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
