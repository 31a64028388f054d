#include "service/CFirmwareUpdaterService.h"

#include <QtTest>

using Plugin::FirmwareUpdater::ELogLevel;
using Plugin::FirmwareUpdater::Internal::Service::CFirmwareUpdaterService;

namespace {

const QRegularExpression kLogName(QStringLiteral("^OndrelFirmwareUpdaterGUI_\\d{8}_\\d{6}\\.log$"));

// Every test gets its own temporary folder, so log files never meet.
class TempFolder
{
public:
    TempFolder() { qputenv("TMPDIR", m_dir.path().toLocal8Bit()); }
    ~TempFolder() { qunsetenv("TMPDIR"); }
    QString path() const { return m_dir.path(); }
    QStringList logs() const
    {
        return QDir(m_dir.path()).entryList({ QStringLiteral("*.log") }, QDir::Files);
    }

private:
    QTemporaryDir m_dir;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_ServiceLog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        // Closed logs are deleted later; let that happen inside the test.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void lineNamesTheLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("name");
        QTest::newRow("debug") << 0 << "DEBUG";
        QTest::newRow("info") << 1 << "INFO";
        QTest::newRow("warning") << 2 << "WARNING";
        QTest::newRow("critical") << 3 << "CRITICAL";
        QTest::newRow("above the range") << 7 << "INFO";
        QTest::newRow("below the range") << -1 << "INFO";
    }
    void lineNamesTheLevel()
    {
        QFETCH(int, level);
        QFETCH(QString, name);
        TempFolder temp;
        CFirmwareUpdaterService service(nullptr);

        const QString message = QStringLiteral("Camera A: update started");
        QCOMPARE(service.writeLog(static_cast<ELogLevel>(level), message), message);

        const QString text = QString::fromUtf8(readAll(service.logFilePath()));
        const QString tail = QLatin1Char(' ') + name + QLatin1Char(' ') + message + '\n';
        QVERIFY2(text.endsWith(tail), qPrintable(text));
        const QString stamp = text.left(text.size() - tail.size());
        QVERIFY2(QDateTime::fromString(stamp, Qt::TextDate).isValid(), qPrintable(stamp));
        QCOMPARE(text.count('\n'), 1);
    }

    void messageIsWrittenAsGiven_data()
    {
        QTest::addColumn<QString>("message");
        QTest::newRow("placeholders") << "Host says %1 and %2%3";
        QTest::newRow("line break") << "first\nsecond";
        QTest::newRow("non-latin") << QString::fromUtf8("カメラ 1 — Ünïcode");
    }
    void messageIsWrittenAsGiven()
    {
        QFETCH(QString, message);
        TempFolder temp;
        CFirmwareUpdaterService service(nullptr);

        QCOMPARE(service.writeLog(Plugin::FirmwareUpdater::Warning, message), message);
        const QByteArray bytes = readAll(service.logFilePath());
        QVERIFY2(bytes.endsWith(" WARNING " + message.toUtf8() + '\n'), bytes.constData());
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    }

    void logOpensWithTheFirstLine()
    {
        TempFolder temp;
        CFirmwareUpdaterService service(nullptr);
        QCOMPARE(service.logFilePath(), QString());

        QCOMPARE(service.writeLog(Plugin::FirmwareUpdater::Info, QString()), QString());
        QCOMPARE(service.logFilePath(), QString());
        QVERIFY(temp.logs().isEmpty());

        service.writeLog(Plugin::FirmwareUpdater::Info, QStringLiteral("hello"));
        const QFileInfo log(service.logFilePath());
        QCOMPARE(log.absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
        QVERIFY2(kLogName.match(log.fileName()).hasMatch(), qPrintable(log.fileName()));
        QCOMPARE(temp.logs(), QStringList { log.fileName() });
    }

    void closingForgetsThePath()
    {
        TempFolder temp;
        CFirmwareUpdaterService service(nullptr);
        service.writeLog(Plugin::FirmwareUpdater::Info, QStringLiteral("first run"));
        const QString firstLog = service.logFilePath();
        service.closeLogFile();
        QCOMPARE(service.logFilePath(), QString());
        QVERIFY(QFileInfo::exists(firstLog));

        service.writeLog(Plugin::FirmwareUpdater::Info, QStringLiteral("stray line"));
        const QString secondLog = service.logFilePath();
        QVERIFY(!secondLog.isEmpty());
        QVERIFY(kLogName.match(QFileInfo(secondLog).fileName()).hasMatch());
        QVERIFY(readAll(secondLog).endsWith(" INFO stray line\n"));
    }

    void closingClearsTheErrorOnlyWhenALogIsOpen()
    {
        TempFolder temp;
        CFirmwareUpdaterService service(nullptr);
        service.setLastErrorMessage(QStringLiteral("kept"));
        service.closeLogFile();
        QCOMPARE(service.lastErrorMessage(), QStringLiteral("kept"));

        service.openLogFile();
        service.closeLogFile();
        QCOMPARE(service.lastErrorMessage(), QString());
    }

    void eachLineReachesTheFileAtOnce()
    {
        TempFolder temp;
        CFirmwareUpdaterService service(nullptr);
        service.openLogFile();
        QFile reader(service.logFilePath());
        QVERIFY(reader.open(QIODevice::ReadOnly));

        const QStringList messages
                = { QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three") };
        for (const QString &message : messages) {
            service.writeLog(Plugin::FirmwareUpdater::Info, message);
            const QByteArray line = reader.readLine();
            QVERIFY2(line.endsWith(" INFO " + message.toUtf8() + '\n'), line.constData());
        }
        QVERIFY(reader.readAll().isEmpty());
    }

    void folderGetsOneSeparator_data()
    {
        QTest::addColumn<bool>("trailingSlash");
        QTest::newRow("plain folder") << false;
        QTest::newRow("trailing slash") << true;
    }
    void folderGetsOneSeparator()
    {
        QFETCH(bool, trailingSlash);
        TempFolder temp;
        const QString folder = QDir(temp.path()).canonicalPath();
        qputenv("TMPDIR", (folder + (trailingSlash ? "/" : "")).toLocal8Bit());
        CFirmwareUpdaterService service(nullptr);
        service.openLogFile();
        const QString path = service.logFilePath();
        QVERIFY2(path.startsWith(folder + '/'), qPrintable(path));
        QVERIFY2(kLogName.match(path.mid(folder.size() + 1)).hasMatch(), qPrintable(path));
    }

    void rootFolderGetsNoSecondSeparator()
    {
        qputenv("TMPDIR", "/");
        CFirmwareUpdaterService service(nullptr);
        service.openLogFile();
        const QString path = service.logFilePath();
        service.closeLogFile();
        qunsetenv("TMPDIR");
        QFile::remove(path); // created when the tests run with privileges
        QVERIFY2(kLogName.match(path.mid(1)).hasMatch(), qPrintable(path));
    }

    void unopenableLogDropsLinesButKeepsThePath()
    {
        TempFolder temp;
        // Folders in the way of every name the log can get in the next seconds.
        const QDateTime now = QDateTime::currentDateTime();
        for (int second = 0; second < 30; ++second)
            QDir(temp.path())
                    .mkdir(QStringLiteral("OndrelFirmwareUpdaterGUI_%1.log")
                                   .arg(now.addSecs(second).toString(
                                           QStringLiteral("yyyyMMdd_HHmmss"))));
        CFirmwareUpdaterService service(nullptr);
        const QString message = QStringLiteral("lost");
        QCOMPARE(service.writeLog(Plugin::FirmwareUpdater::Critical, message), message);
        const QFileInfo log(service.logFilePath());
        QVERIFY(kLogName.match(log.fileName()).hasMatch());
        QVERIFY(log.isDir());
        QCOMPARE(service.writeLog(Plugin::FirmwareUpdater::Info, message), message);
    }

    void destroyingTheServiceClosesTheLog()
    {
        TempFolder temp;
        QString path;
        {
            CFirmwareUpdaterService service(nullptr);
            service.writeLog(Plugin::FirmwareUpdater::Info, QStringLiteral("last words"));
            path = service.logFilePath();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(readAll(path).endsWith(" INFO last words\n"));
    }
};

QTEST_GUILESS_MAIN(tst_ServiceLog)
#include "tst_service_log.moc"
