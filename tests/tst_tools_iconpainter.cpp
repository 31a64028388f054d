#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

static QStringList pngNames(const QString &folder)
{
    return QDir(folder).entryList({ QStringLiteral("*.png") }, QDir::Files, QDir::Name);
}

// The checked-in icons must be exactly what the painter draws, so an icon
// can be redrawn without touching the others.
class tst_ToolsIconPainter : public QObject
{
    Q_OBJECT
    QTemporaryDir m_out;

private slots:
    void initTestCase()
    {
        QVERIFY(m_out.isValid());
        QProcess painter;
        painter.setProcessChannelMode(QProcess::ForwardedChannels);
        painter.start(QStringLiteral(FU_ICONPAINTER), { m_out.path() });
        QVERIFY(painter.waitForFinished(60000));
        QCOMPARE(painter.exitStatus(), QProcess::NormalExit);
        QCOMPARE(painter.exitCode(), 0);
        QCOMPARE(pngNames(m_out.path()), pngNames(QStringLiteral(FU_ICONS_DIR)));
    }

    void iconIsRedrawnExactly_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : pngNames(QStringLiteral(FU_ICONS_DIR)))
            QTest::newRow(qPrintable(name)) << name;
    }
    void iconIsRedrawnExactly()
    {
        QFETCH(QString, name);
        const QImage checkedIn(QDir(QStringLiteral(FU_ICONS_DIR)).filePath(name));
        QVERIFY(!checkedIn.isNull());
        QCOMPARE(QImage(QDir(m_out.path()).filePath(name)).convertToFormat(QImage::Format_ARGB32),
                 checkedIn.convertToFormat(QImage::Format_ARGB32));
    }
};

QTEST_GUILESS_MAIN(tst_ToolsIconPainter)
#include "tst_tools_iconpainter.moc"
