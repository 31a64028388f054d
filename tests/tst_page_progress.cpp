#include "support/PageTestSupport.h"
#include "view/CFirmwareUpdateDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QtTest>

using namespace Plugin::FirmwareUpdater::Internal::View;

class TestPageProgress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_warnings = std::make_unique<PageTest::WarningCatcher>(); }
    void cleanup()
    {
        const QStringList warnings = PageTest::WarningCatcher::take();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    void progress_data();
    void progress();
    void cancel_data();
    void cancel();

private:
    std::unique_ptr<PageTest::WarningCatcher> m_warnings;
};

void TestPageProgress::progress_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("indicator");

    QTest::newRow("start, busy") << 1 << 4 << 0 << 0 << "1/4";
    QTest::newRow("half way") << 3 << 7 << 50 << 100 << "3/7";
    QTest::newRow("done") << 12 << 12 << 100 << 100 << "12/12";
}

void TestPageProgress::progress()
{
    QFETCH(int, current);
    QFETCH(int, total);
    QFETCH(int, value);
    QFETCH(int, maximum);
    QFETCH(QString, indicator);

    CFirmwareUpdateDialog page;
    auto *bar = page.findChild<QProgressBar *>(QStringLiteral("progressBar"));
    // From a running update with a different range, as between two cameras.
    page.setProgress(30, 40);

    page.setProgressText(current, total);
    page.setProgress(value, maximum);

    QCOMPARE(page.findChild<QLabel *>(QStringLiteral("progressIndicatorLabel"))->text(), indicator);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), maximum);
    QCOMPARE(bar->value(), value);
    QCOMPARE(bar->text(), QString());
}

void TestPageProgress::cancel_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("updates running") << true;
    QTest::newRow("cancel requested") << false;
}

void TestPageProgress::cancel()
{
    QFETCH(bool, enabled);

    CFirmwareUpdateDialog page;
    page.setTreeModel(PageTest::updateModel(QStringLiteral("Skipped,Skipped")));
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QSignalSpy close(&page, &CUpdateDialogBase::closeClicked);
    QPushButton *cancelButton = PageTest::button(&page, QStringLiteral("Cancel"));

    page.setCancelEnabled(true);
    page.setCancelEnabled(enabled);

    QVERIFY(page.isVisible());
    const Qt::WindowFlags requested(enabled ? 0x0800C003 : 0x0000C003);
    QCOMPARE(page.windowFlags() & requested, requested);
    QCOMPARE(page.windowFlags().testFlag(Qt::WindowCloseButtonHint), enabled);
    QCOMPARE(cancelButton->isEnabled(), enabled);
    QCOMPARE(cancelButton->isDefault(), enabled);

    // Enter cancels like a click on Cancel while it is offered.
    QTest::keyClick(&page, Qt::Key_Return);
    QCOMPARE(close.count(), enabled ? 2 : 0);
    QVERIFY(page.isVisible());
}

QTEST_MAIN(TestPageProgress)
#include "tst_page_progress.moc"
