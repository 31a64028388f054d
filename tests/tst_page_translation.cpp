#include "support/PageTestSupport.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CFirmwareUpdateDialog.h"
#include "view/CResultSummaryDialog.h"
#include "view/CUpdateSelectionDialog.h"
#include "view/CUpdateSummaryDialog.h"

#include <QLabel>
#include <QTranslator>
#include <QtTest>

#include <memory>

using namespace Plugin::FirmwareUpdater::Internal::View;

namespace {

std::unique_ptr<CUpdateDialogBase> makePage(int number)
{
    switch (number) {
    case 1:
        return std::make_unique<CCameraSelectionDialog>();
    case 2:
        return std::make_unique<CUpdateSelectionDialog>();
    case 3:
        return std::make_unique<CUpdateSummaryDialog>();
    case 4:
        return std::make_unique<CFirmwareUpdateDialog>();
    default:
        return std::make_unique<CResultSummaryDialog>();
    }
}

// The page's fixed texts: window title, every label the form fills and the
// buttons the page adds itself (the box's standard buttons come from Qt).
QStringList texts(QWidget *page)
{
    QStringList result { page->windowTitle() };
    for (const char *name : { "stepTitleLabel", "infoTextLabel_1", "progressLabel",
                              "updateDetailsLabel", "warningTextLabel_1" }) {
        if (auto *label = page->findChild<QLabel *>(QLatin1String(name)))
            result << label->text();
    }
    auto *box = page->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    for (QAbstractButton *button : box->buttons()) {
        if (box->standardButton(button) == QDialogButtonBox::NoButton)
            result << button->text();
    }
    return result;
}

} // namespace

class TestPageTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_warnings = std::make_unique<PageTest::WarningCatcher>(); }
    void cleanup()
    {
        const QStringList warnings = PageTest::WarningCatcher::take();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    void switchesLanguage_data();
    void switchesLanguage();

private:
    std::unique_ptr<PageTest::WarningCatcher> m_warnings;
};

void TestPageTranslation::switchesLanguage_data()
{
    QTest::addColumn<int>("page");
    for (int page = 1; page <= 5; ++page)
        QTest::addRow("page %d", page) << page;
}

void TestPageTranslation::switchesLanguage()
{
    QFETCH(int, page);

    auto dialog = makePage(page);
    const QStringList english = texts(dialog.get());
    QTranslator japanese;
    QVERIFY(japanese.load(QStringLiteral(":/translation/FirmwareUpdater_ja.qm")));

    QVERIFY(QCoreApplication::installTranslator(&japanese));
    QCoreApplication::processEvents();
    const QStringList translated = texts(dialog.get());
    QCoreApplication::removeTranslator(&japanese);
    QCoreApplication::processEvents();

    QCOMPARE(translated.size(), english.size());
    for (int i = 0; i < english.size(); ++i) {
        QVERIFY2(!translated.at(i).isEmpty() && translated.at(i) != english.at(i),
                 qPrintable(english.at(i)));
    }
    QCOMPARE(texts(dialog.get()), english);
}

QTEST_MAIN(TestPageTranslation)
#include "tst_page_translation.moc"
