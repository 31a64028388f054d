#include "simulator/CSimulatedFirmwareUpdateInfo.h"
#include "support/PageTestSupport.h"

#include <QBoxLayout>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QtTest>

using namespace PageTest;
using Simulator::CSimulatedFirmwareUpdateInfo;

namespace {

// Height of the spacer that follows the named row in the content column.
int spacerAfter(QWidget *page, const char *row)
{
    auto *content = page->findChild<QVBoxLayout *>(QStringLiteral("contentVerticalLayout"));
    const int index = content->indexOf(page->findChild<QLayout *>(QLatin1String(row)));
    return content->itemAt(index + 1)->spacerItem()->sizeHint().height();
}

QSharedPointer<CSimulatedFirmwareUpdateInfo> updateInfo(const QStringList &details)
{
    CSimulatedFirmwareUpdateInfo::Description description;
    description.description = details.value(0);
    description.version = details.value(1);
    description.releaseNotes = details.value(2);
    return QSharedPointer<CSimulatedFirmwareUpdateInfo>::create(description);
}

} // namespace

class TestPageContent : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { catchWarnings(); }
    void cleanup() { QCOMPARE(takeWarnings(), QStringList()); }

    void fileState_data();
    void fileState();
    void fileDetails_data();
    void fileDetails();
    void pathChanges();
    void links_data();
    void links();
    void summaryWarnings_data();
    void summaryWarnings();
    void progress_data();
    void progress();
    void results_data();
    void results();
    void errorMessage_data();
    void errorMessage();
};

void TestPageContent::fileState_data()
{
    QTest::addColumn<bool>("compatible");
    QTest::addColumn<bool>("noFile");
    QTest::addColumn<QString>("shown"); // error icon and text, Next enabled

    QTest::newRow("no readable file") << false << true << "000";
    QTest::newRow("file does not fit") << false << false << "110";
    QTest::newRow("file fits") << true << false << "001";
    QTest::newRow("both flags") << true << true << "000";
}

void TestPageContent::fileState()
{
    QFETCH(bool, compatible);
    QFETCH(bool, noFile);
    QFETCH(QString, shown);

    CUpdateSelectionDialog page;
    page.setUpdateFileState(compatible, noFile);
    QCOMPARE(visibility(&page, { "errorIconLabel", "errorTextLabel" })
                     + QString::number(button(&page, "Next")->isEnabled()),
             shown);
}

void TestPageContent::fileDetails_data()
{
    QTest::addColumn<QStringList>("file"); // description, version, notes; none: no updates
    QTest::addColumn<bool>("noFile");
    QTest::addColumn<QString>("shown"); // each row's text and links; "-": hidden

    QTest::newRow("all details") << QStringList { "Fixes", "2.1.0", "Minor fixes" } << false
                                 << "Fixes | 2.1.0 | Minor fixes";
    QTest::newRow("nothing in the file")
            << QStringList { "", "", "" } << false << "No details available | - | -";
    QTest::newRow("no file") << QStringList() << true << "No file selected | - | -";
    QTest::newRow("file without updates")
            << QStringList() << false << "No details available | - | -";
    QTest::newRow("notes are an address in capitals")
            << QStringList { "d", "1", "HTTPS://EXAMPLE.COM/NOTES" } << false
            << "d | 1 | Firmware Release Notes -> HTTPS://EXAMPLE.COM/NOTES";
    QTest::newRow("address inside the notes")
            << QStringList { "d", "1", "See http://example.com/n?a=1&b=2 for more." } << false
            << "d | 1 | Firmware Release Notes -> http://example.com/n?a=1&b=2";
    QTest::newRow("notes break out of the link") << QStringList {
        "d", "1", "http://x.test/\" onmouseover=\"y\"><b>bold</b><a href=\"http://evil.test\">"
    } << false << "d | 1 | Firmware Release Notes -> http://x.test/";
    QTest::newRow("http without an address") << QStringList { "d", "1", "Ask the HTTP team" }
                                             << false << "d | 1 | Ask the HTTP team";
    QTest::newRow("local file, not a web address")
            << QStringList { "d", "1", "file:///usr/bin/tool?http" } << false
            << "d | 1 | file:///usr/bin/tool?http";
    QTest::newRow("markup in plain notes") << QStringList { "d", "1", "<b>bold</b> & <i>" } << false
                                           << "d | 1 | <b>bold</b> & <i>";
    QTest::newRow("markup in description and version")
            << QStringList { "<img src=x><b>big</b>", "<i>1.0</i>", "" } << false
            << "<img src=x><b>big</b> | <i>1.0</i> | -";
}

void TestPageContent::fileDetails()
{
    QFETCH(QStringList, file);
    QFETCH(bool, noFile);
    QFETCH(QString, shown);

    CUpdateSelectionDialog page;
    // A richer file first, so every row has to follow the new one.
    page.showUpdateDetails({ updateInfo({ "old", "old", "old" }) }, false);
    QVector<QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo>> infos;
    if (!file.isEmpty())
        infos << updateInfo(file) << updateInfo({ "second entry is never shown" });
    page.showUpdateDetails(infos, noFile);

    const auto row = [&](const char *caption, const char *text) {
        const QString visible = visibility(&page, { caption, text });
        const RichText content = PageTest::shown(&page, text);
        return visible == "00" ? QStringLiteral("-")
                               : (visible == "11" ? "" : "half shown: ")
                        + (QStringList(content.plain) + content.links).join(" -> ");
    };
    QCOMPARE(row("updateDescriptionLabel", "updateDescriptionTextLabel") + " | "
                     + row("updateVersionLabel", "updateVersionTextLabel") + " | "
                     + row("updateNotesLabel", "updateNotesTextLabel"),
             shown);
}

void TestPageContent::pathChanges()
{
    CUpdateSelectionDialog page;
    QSignalSpy path(&page, &CUpdateSelectionDialog::pathChanged);
    auto *edit = page.findChild<QLineEdit *>(QStringLiteral("updateFileLineEdit"));
    const QString home = QDir::toNativeSeparators(QDir::homePath());

    page.show(); // shows the last path, first the home folder
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QTest::keyClicks(edit, QStringLiteral("/x"));
    page.setUpdateFilePath(QStringLiteral("/data/update.guf")); // no echo of the service's path
    page.hide();
    page.show();

    QStringList paths;
    for (const QList<QVariant> &arguments : path)
        paths << arguments.at(0).toString();
    QCOMPARE(paths, QStringList({ home, home + "/", home + "/x", "/data/update.guf" }));
}

void TestPageContent::links_data()
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
            << QStringLiteral("https://x.test/\"><b>hi</b><a href=\"http://evil.test");
}

void TestPageContent::links()
{
    QFETCH(QString, logFile);
    QFETCH(QString, support);

    CResultSummaryDialog result;
    result.setLinks(support, logFile);
    const RichText full = shown(&result, "infoTextLabel_3");
    QCOMPARE(full.plain,
             "For more information, see the log file. If you require assistance, contact the "
             "Stavrik Support.");
    QCOMPARE(full.links.size(), 2);
    QCOMPARE(QUrl(full.links.at(0)).toLocalFile(), logFile);
    QCOMPARE(full.links.at(1), support);
    const RichText brief = shown(&result, "infoTextLabel_2");
    QCOMPARE(brief.plain, "See log file for more information.");
    QCOMPARE(brief.links, QStringList { full.links.at(0) });

    CUpdateSelectionDialog selection;
    selection.setSupportUrl(support);
    const RichText info = shown(&selection, "infoTextLabel");
    QCOMPARE(info.plain,
             "To update the firmware of your cameras, you need a firmware update file from Stavrik "
             "Support.");
    QCOMPARE(info.links, QStringList { support });
}

void TestPageContent::summaryWarnings_data()
{
    QTest::addColumn<bool>("downgrade");
    QTest::addColumn<bool>("reinstall");
    QTest::addColumn<QString>("shown"); // each row's icon and text, then the spacer below it

    QTest::newRow("none") << false << false << "00 0 | 00 0";
    QTest::newRow("downgrade") << true << false << "11 13 | 00 0";
    QTest::newRow("reinstall") << false << true << "00 0 | 11 13";
    QTest::newRow("both") << true << true << "11 13 | 11 13";
}

void TestPageContent::summaryWarnings()
{
    QFETCH(bool, downgrade);
    QFETCH(bool, reinstall);
    QFETCH(QString, shown);

    CUpdateSummaryDialog page;
    page.setTreeModel(updateModel(QStringLiteral("Skipped")));
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.setDowngradeWarningVisible(downgrade);
    page.setReinstallWarningVisible(reinstall);
    page.layout()->activate();

    QCOMPARE(QStringLiteral("%1 %2 | %3 %4")
                     .arg(visibility(&page, { "warningIconLabel_1", "warningTextLabel_1" }))
                     .arg(spacerAfter(&page, "warningHorizontalLayout_1"))
                     .arg(visibility(&page, { "warningIconLabel_2", "warningTextLabel_2" }))
                     .arg(spacerAfter(&page, "warningHorizontalLayout_2")),
             shown);
}

void TestPageContent::progress_data()
{
    QTest::addColumn<QList<int>>("values"); // current, total, value, maximum
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("shown"); // indicator, bar, Cancel and the window's close button

    QTest::newRow("start, busy") << QList<int> { 1, 4, 0, 0 } << true << "1/4 | 0 of 0 | 11";
    QTest::newRow("half way") << QList<int> { 3, 7, 50, 100 } << true << "3/7 | 50 of 100 | 11";
    QTest::newRow("cancel requested")
            << QList<int> { 12, 12, 100, 100 } << false << "12/12 | 100 of 100 | 00";
}

void TestPageContent::progress()
{
    QFETCH(QList<int>, values);
    QFETCH(bool, cancel);
    QFETCH(QString, shown);

    CFirmwareUpdateDialog page;
    auto *bar = page.findChild<QProgressBar *>(QStringLiteral("progressBar"));
    // From a running update with a different range, as between two cameras.
    page.setProgress(30, 40);
    page.setCancelEnabled(!cancel);
    page.setProgressText(values.at(0), values.at(1));
    page.setProgress(values.at(2), values.at(3));
    page.setCancelEnabled(cancel);

    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(
            QStringLiteral("%1 | %2 of %3 | %4%5")
                    .arg(page.findChild<QLabel *>(QStringLiteral("progressIndicatorLabel"))->text())
                    .arg(bar->value())
                    .arg(bar->maximum())
                    .arg(button(&page, "Cancel")->isEnabled())
                    .arg(page.windowFlags().testFlag(Qt::WindowCloseButtonHint)),
            shown);
}

void TestPageContent::results_data()
{
    QTest::addColumn<QString>("results"); // "-": no model yet
    QTest::addColumn<int>("spacer"); // under the short log link
    QTest::addColumn<QString>("shown");

    // Counts, then whether the repeat hint, short log link, error row and
    // support row are shown (icon and text each) and the failed and skipped counts.
    QTest::newRow("all successful") << "OK,OK,OK" << 16 << "3 0 0 | 1111000000";
    QTest::newRow("failure and skipped") << "Failed,Skipped,Skipped" << 0 << "0 1 2 | 0000111111";
    QTest::newRow("failure, nothing skipped") << "OK,Failed" << 0 << "1 1 0 | 0000111111";
    QTest::newRow("no model yet") << "-" << 16 << "0 0 0 | 1111000000";
}

void TestPageContent::results()
{
    QFETCH(QString, results);
    QFETCH(int, spacer);
    QFETCH(QString, shown);

    CResultSummaryDialog page;
    if (results != "-")
        page.setTreeModel(updateModel(results));
    page.refreshResults();

    QStringList counts;
    for (const char *name :
         { "successfulUpdatesLabel", "failedUpdatesLabel", "skippedUpdatesLabel" })
        counts << PageTest::shown(&page, name).plain.section(": ", 1);
    QCOMPARE(counts.join(' ') + " | "
                     + visibility(&page,
                                  { "infoIconLabel_1", "infoTextLabel_1", "infoIconLabel_2",
                                    "infoTextLabel_2", "errorIconLabel", "errorTextLabel",
                                    "infoIconLabel_3", "infoTextLabel_3", "failedUpdatesLabel",
                                    "skippedUpdatesLabel" }),
             shown);
    QCOMPARE(spacerAfter(&page, "infoHorizontalLayout_2"), spacer);
}

void TestPageContent::errorMessage_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("noneSkipped");
    QTest::addColumn<QString>("shown");

    const QString failed = QStringLiteral("An error has occurred during the update.");
    QTest::newRow("nothing skipped") << "Camera did not answer" << true
                                     << failed + "\nError message: Camera did not answer.";
    QTest::newRow("later updates skipped") << "Camera did not answer" << false
                                           << failed
                    + " The subsequent updates have been skipped.\nError message: Camera did not "
                      "answer.";
    QTest::newRow("markup and placeholders in the message")
            << "<b>bad</b> & <a href=\"http://evil.test\">x</a><br>%2" << true
            << failed + "\nError message: <b>bad</b> & <a href=\"http://evil.test\">x</a><br>%2.";
}

void TestPageContent::errorMessage()
{
    QFETCH(QString, message);
    QFETCH(bool, noneSkipped);
    QFETCH(QString, shown);

    CResultSummaryDialog page;
    page.setErrorMessage(message, noneSkipped);
    RichText error = PageTest::shown(&page, "errorTextLabel");
    QCOMPARE(error.plain.replace(QChar::LineSeparator, '\n'), shown);
    QVERIFY(error.links.isEmpty());
}

QTEST_MAIN(TestPageContent)
#include "tst_page_content.moc"
