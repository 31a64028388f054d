#include "support/PageTestSupport.h"
#include "view/CResultSummaryDialog.h"
#include "view/CUpdateSummaryDialog.h"

#include <QBoxLayout>
#include <QLabel>
#include <QtTest>

using namespace Plugin::FirmwareUpdater::Internal::View;

namespace {

bool shown(QWidget *page, const char *name)
{
    return !page->findChild<QWidget *>(QLatin1String(name))->isHidden();
}

QString text(QWidget *page, const char *name)
{
    return page->findChild<QLabel *>(QLatin1String(name))->text();
}

// Height of the spacer that follows the named row in the content column.
int spacerAfter(QWidget *page, const char *row)
{
    auto *content = page->findChild<QVBoxLayout *>(QStringLiteral("contentVerticalLayout"));
    const int index = content->indexOf(page->findChild<QLayout *>(QLatin1String(row)));
    return content->itemAt(index + 1)->spacerItem()->sizeHint().height();
}

// "1110" for the visibility of the named widgets, in order.
QString visibility(QWidget *page, std::initializer_list<const char *> names)
{
    QString result;
    for (const char *name : names)
        result += shown(page, name) ? QLatin1Char('1') : QLatin1Char('0');
    return result;
}

} // namespace

class TestPageSummary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_warnings = std::make_unique<PageTest::WarningCatcher>(); }
    void cleanup()
    {
        const QStringList warnings = PageTest::WarningCatcher::take();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    void warnings_data();
    void warnings();
    void results_data();
    void results();
    void errorMessage_data();
    void errorMessage();
    void links_data();
    void links();

private:
    std::unique_ptr<PageTest::WarningCatcher> m_warnings;
};

void TestPageSummary::warnings_data()
{
    QTest::addColumn<bool>("downgrade");
    QTest::addColumn<bool>("reinstall");
    QTest::newRow("none") << false << false;
    QTest::newRow("downgrade") << true << false;
    QTest::newRow("reinstall") << false << true;
    QTest::newRow("both") << true << true;
}

void TestPageSummary::warnings()
{
    QFETCH(bool, downgrade);
    QFETCH(bool, reinstall);

    CUpdateSummaryDialog page;
    page.setTreeModel(PageTest::updateModel(QStringLiteral("Skipped")));
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.setDowngradeWarningVisible(downgrade);
    page.setReinstallWarningVisible(reinstall);
    page.layout()->activate();

    QCOMPARE(visibility(&page, { "warningIconLabel_1", "warningTextLabel_1" }),
             downgrade ? QStringLiteral("11") : QStringLiteral("00"));
    QCOMPARE(visibility(&page, { "warningIconLabel_2", "warningTextLabel_2" }),
             reinstall ? QStringLiteral("11") : QStringLiteral("00"));
    QCOMPARE(spacerAfter(&page, "warningHorizontalLayout_1"), downgrade ? 13 : 0);
    QCOMPARE(spacerAfter(&page, "warningHorizontalLayout_2"), reinstall ? 13 : 0);
    QCOMPARE(visibility(&page, { "infoTextLabel_1", "infoTextLabel_2" }), QStringLiteral("11"));
}

void TestPageSummary::results_data()
{
    QTest::addColumn<bool>("withModel");
    QTest::addColumn<QString>("results");
    QTest::addColumn<QString>("counts");
    QTest::addColumn<QString>("failureRows");
    QTest::addColumn<int>("spacer");

    // counts: successful, failed, skipped label texts; failureRows: visibility of the
    // repeat hint, short log link, error row and support row (icon and text each), then
    // the failed and skipped labels. The successful label is always shown.
    QTest::newRow("all successful") << true << "OK,OK,OK"
                                    << "Successful updates: 3|Failed updates: 0|Skipped updates: 0"
                                    << "1111000000" << 16;
    QTest::newRow("failure and skipped")
            << true << "Failed,Skipped,Skipped"
            << "Successful updates: 0|Failed updates: 1|Skipped updates: 2"
            << "0000111111" << 0;
    QTest::newRow("failure, nothing skipped")
            << true << "OK,Failed"
            << "Successful updates: 1|Failed updates: 1|Skipped updates: 0"
            << "0000111111" << 0;
    QTest::newRow("no model yet") << false << ""
                                  << "Successful updates: 0|Failed updates: 0|Skipped updates: 0"
                                  << "1111000000" << 16;
}

void TestPageSummary::results()
{
    QFETCH(bool, withModel);
    QFETCH(QString, results);
    QFETCH(QString, counts);
    QFETCH(QString, failureRows);
    QFETCH(int, spacer);

    CResultSummaryDialog page;
    if (withModel)
        page.setTreeModel(PageTest::updateModel(results));
    page.refreshResults();

    QCOMPARE(QStringList({ text(&page, "successfulUpdatesLabel"), text(&page, "failedUpdatesLabel"),
                           text(&page, "skippedUpdatesLabel") })
                     .join(QLatin1Char('|')),
             counts);
    QCOMPARE(
            visibility(&page,
                       { "infoIconLabel_1", "infoTextLabel_1", "infoIconLabel_2", "infoTextLabel_2",
                         "errorIconLabel", "errorTextLabel", "infoIconLabel_3", "infoTextLabel_3",
                         "failedUpdatesLabel", "skippedUpdatesLabel", "successfulUpdatesLabel" }),
            failureRows + QLatin1Char('1'));
    QCOMPARE(spacerAfter(&page, "infoHorizontalLayout_2"), spacer);
}

void TestPageSummary::errorMessage_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("noneSkipped");
    QTest::addColumn<QString>("shown");

    QTest::newRow("nothing skipped")
            << "Camera did not answer" << true
            << "An error has occurred during the update.\nError message: Camera did not answer.";
    QTest::newRow("later updates skipped")
            << "Camera did not answer" << false
            << "An error has occurred during the update. The subsequent updates have been "
               "skipped.\nError message: Camera did not answer.";
    QTest::newRow("markup in the message")
            << "<b>bad</b> & <a href=\"http://evil.test\">x</a><br>%2" << true
            << "An error has occurred during the update.\nError message: <b>bad</b> & <a "
               "href=\"http://evil.test\">x</a><br>%2.";
}

void TestPageSummary::errorMessage()
{
    QFETCH(QString, message);
    QFETCH(bool, noneSkipped);
    QFETCH(QString, shown);

    CResultSummaryDialog page;
    page.setErrorMessage(message, noneSkipped);

    PageTest::RichText error = PageTest::parse(text(&page, "errorTextLabel"));
    QCOMPARE(error.plain.replace(QChar::LineSeparator, QLatin1Char('\n')), shown);
    QVERIFY(error.links.isEmpty());
}

void TestPageSummary::links_data()
{
    QTest::addColumn<QString>("logFile");
    QTest::addColumn<QString>("support");

    const QString support
            = QStringLiteral("https://support.example.com/en/sales-support/support-contact/");
    QTest::newRow("plain path") << "/tmp/OndrelFirmwareUpdaterGUI_20240101_120000.log" << support;
    QTest::newRow("blanks and hash") << "/tmp/my logs/run #2.log" << support;
    QTest::newRow("non-ASCII letters") << QStringLiteral("/tmp/Prüfung/ログ.log") << support;
    QTest::newRow("percent signs") << "/tmp/100%1 %2.log" << support;
    QTest::newRow("support address that tries markup")
            << "/tmp/run.log"
            << "https://x.test/\"><b>hi</b><a href=\"http://evil.test";
}

void TestPageSummary::links()
{
    QFETCH(QString, logFile);
    QFETCH(QString, support);

    CResultSummaryDialog page;
    page.setLinks(support, logFile);

    const PageTest::RichText full = PageTest::parse(text(&page, "infoTextLabel_3"));
    QCOMPARE(full.plain,
             QStringLiteral("For more information, see the log file. If you require "
                            "assistance, contact the Stavrik Support."));
    QCOMPARE(full.links.size(), 2);
    QCOMPARE(QUrl(full.links.at(0)).toLocalFile(), logFile);
    QCOMPARE(full.links.at(1), support);

    const PageTest::RichText brief = PageTest::parse(text(&page, "infoTextLabel_2"));
    QCOMPARE(brief.plain, QStringLiteral("See log file for more information."));
    QCOMPARE(brief.links, QStringList { full.links.at(0) });
}

QTEST_MAIN(TestPageSummary)
#include "tst_page_summary.moc"
