#include "view/CUpdateSelectionDialog.h"

#include "host/IFirmwareUpdateInfo.h"
#include "style/PagePalette.h"

#include "ui_UpdateSelectionDialog.h"

#include <QDir>
#include <QPushButton>
#include <QRegularExpression>

namespace Plugin::FirmwareUpdater::Internal::View {

CUpdateSelectionDialog::CUpdateSelectionDialog(QWidget *parent)
    : CUpdateDialogBase(parent)
    , m_ui(new Ui::UpdateSelectionDialogUi)
{
    m_ui->setupUi(this);
    const int pixelSize = applyPageFont();

    m_ui->updateNotesTextLabel->setTextFormat(Qt::RichText);
    m_ui->updateNotesTextLabel->setTextInteractionFlags(Qt::TextBrowserInteraction);
    m_ui->updateNotesTextLabel->setOpenExternalLinks(true);
    // Texts read from the update file are never markup.
    m_ui->updateDescriptionTextLabel->setTextFormat(Qt::PlainText);
    m_ui->updateVersionTextLabel->setTextFormat(Qt::PlainText);

    m_ui->updateFileLineEdit->setText(QDir::toNativeSeparators(QDir::homePath()));
    // The field's own style sheet makes it paint with the desktop's palette,
    // which may be dark; the page is light whatever the desktop.
    const QPalette light = Style::PagePalette::light();
    m_ui->updateFileLineEdit->setStyleSheet(
            m_ui->updateFileLineEdit->styleSheet()
            + QStringLiteral("\nbackground-color: %1;\ncolor: %2;\nselection-background-color: %3;"
                             "\nselection-color: %4;")
                      .arg(light.color(QPalette::Base).name(), light.color(QPalette::Text).name(),
                           light.color(QPalette::Highlight).name(),
                           light.color(QPalette::HighlightedText).name()));

    m_backButton = m_ui->buttonBox->addButton(tr("Back"), QDialogButtonBox::AcceptRole);
    m_nextButton = m_ui->buttonBox->addButton(tr("Next"), QDialogButtonBox::DestructiveRole);
    followVisualTabOrder();
    // Found by name by tools that drive the wizard in any language.
    m_nextButton->setObjectName(QStringLiteral("nextButton"));
    m_nextButton->setDefault(true);

    m_ui->updateDetailsLabel->setFont(boldPageFont());
    setStyleSheet(labelAndButtonStyleSheet(pixelSize));
    fitFixedWidths();

    connect(m_ui->browseButton, &QPushButton::clicked, this,
            &CUpdateSelectionDialog::browseClicked);
    connect(m_ui->buttonBox, &QDialogButtonBox::clicked, this,
            &CUpdateSelectionDialog::dialogButtonClicked);
    connect(m_ui->updateFileLineEdit, &QLineEdit::textEdited, this,
            &CUpdateSelectionDialog::pathChanged);
}

CUpdateSelectionDialog::~CUpdateSelectionDialog()
{
    disconnect(m_ui->browseButton, &QPushButton::clicked, this,
               &CUpdateSelectionDialog::browseClicked);
    disconnect(m_ui->buttonBox, &QDialogButtonBox::clicked, this,
               &CUpdateSelectionDialog::dialogButtonClicked);
    delete m_ui;
}

void CUpdateSelectionDialog::setVisible(bool visible)
{
    if (visible)
        emit pathChanged(m_ui->updateFileLineEdit->text());
    QDialog::setVisible(visible);
}

void CUpdateSelectionDialog::dialogButtonClicked(QAbstractButton *pButton)
{
    if (!pButton)
        return;
    switch (m_ui->buttonBox->buttonRole(pButton)) {
    case QDialogButtonBox::AcceptRole:
        emit backClicked();
        break;
    case QDialogButtonBox::DestructiveRole:
        emit nextClicked();
        break;
    case QDialogButtonBox::RejectRole:
        emit closeClicked();
        break;
    default:
        break;
    }
}

void CUpdateSelectionDialog::setSupportUrl(const QString &url)
{
    m_ui->infoTextLabel->setText(tr("To update the firmware of your cameras, you need a firmware "
                                    "update file from <a href=\"%1\">Stavrik Support</a>.")
                                         .arg(url.toHtmlEscaped()));
}

void CUpdateSelectionDialog::setUpdateFilePath(const QString &path)
{
    if (m_ui->updateFileLineEdit->text() != path)
        m_ui->updateFileLineEdit->setText(path);
}

QString CUpdateSelectionDialog::updateFilePath() const
{
    return m_ui->updateFileLineEdit->text();
}

void CUpdateSelectionDialog::setReadError(const QString &reason)
{
    setUpdateFileState(false, false);
    m_ui->errorTextLabel->setText(tr("The file could not be read: %1").arg(reason));
}

void CUpdateSelectionDialog::setModelsOfFile(const QStringList &models)
{
    if (models.isEmpty() || !m_ui->errorTextLabel->isVisibleTo(this))
        return;
    m_ui->errorTextLabel->setText(m_ui->errorTextLabel->text() + QLatin1Char('\n')
                                  + tr("This file is for: %1.").arg(models.join(QStringLiteral(", "))));
}

void CUpdateSelectionDialog::setUpdateFileState(bool compatible, bool noFile)
{
    const bool incompatible = !compatible && !noFile;
    m_ui->errorTextLabel->setTextFormat(Qt::PlainText);
    m_ui->errorTextLabel->setText(QCoreApplication::translate(
            "UpdateSelectionDialogUi",
            "The firmware update file selected is not compatible with your camera model."));
    m_ui->errorIconLabel->setVisible(incompatible);
    m_ui->errorTextLabel->setVisible(incompatible);
    if (m_nextButton)
        m_nextButton->setEnabled(compatible && !noFile);
}

void CUpdateSelectionDialog::showUpdateDetails(
        const QVector<QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo>> &infos, bool noFile)
{
    const QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo> info
            = infos.isEmpty() ? nullptr : infos.first();
    if (!info) {
        m_ui->updateDescriptionTextLabel->setText(noFile ? tr("No file selected")
                                                         : tr("No details available"));
        m_ui->updateVersionLabel->hide();
        m_ui->updateVersionTextLabel->hide();
        m_ui->updateNotesLabel->hide();
        m_ui->updateNotesTextLabel->hide();
        m_ui->updateNotesLinkLabel->hide();
        return;
    }

    const QString description = info->description();
    m_ui->updateDescriptionTextLabel->setText(description.isEmpty() ? tr("No details available")
                                                                    : description);

    const QString version = info->version();
    m_ui->updateVersionTextLabel->setText(version);
    m_ui->updateVersionLabel->setVisible(!version.isEmpty());
    m_ui->updateVersionTextLabel->setVisible(!version.isEmpty());

    const QString notes = info->releaseNotes();
    m_ui->updateNotesLabel->setVisible(!notes.isEmpty());
    m_ui->updateNotesTextLabel->setVisible(!notes.isEmpty());
    showReleaseNotes(notes);
}

void CUpdateSelectionDialog::showReleaseNotes(const QString &notes)
{
    // Only a web address becomes the link's target, so notes can neither add
    // markup nor make a click open a local file or program.
    static const QRegularExpression address(QStringLiteral("https?://[^\\s<>\"']+"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = address.match(notes);
    // The notes are shown in full; the scroll area takes long ones.
    m_ui->updateNotesTextLabel->setTextFormat(Qt::PlainText);
    m_ui->updateNotesTextLabel->setText(notes);
    m_ui->updateNotesLinkLabel->setVisible(match.hasMatch());
    if (!match.hasMatch()) {
        m_ui->updateNotesLinkLabel->clear();
        return;
    }
    m_ui->updateNotesLinkLabel->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                                                .arg(match.captured().toHtmlEscaped(),
                                                     tr("Firmware Release Notes").toHtmlEscaped()));
}

void CUpdateSelectionDialog::fitFixedWidths()
{
    static const char FormWidth[] = "_fu_formWidth";
    for (QWidget *widget :
         std::initializer_list<QWidget *> { m_ui->updateDescriptionLabel, m_ui->updateVersionLabel,
                                            m_ui->updateNotesLabel, m_ui->browseButton }) {
        if (!widget->property(FormWidth).isValid())
            widget->setProperty(FormWidth, widget->maximumWidth());
        // The style sheet's font decides the width the text needs.
        widget->ensurePolished();
        widget->setFixedWidth(
                qMax(widget->property(FormWidth).toInt(), widget->sizeHint().width()));
    }
}

void CUpdateSelectionDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        fitFixedWidths();
        if (m_backButton)
            m_backButton->setText(tr("Back"));
        if (m_nextButton)
            m_nextButton->setText(tr("Next"));
    }
    CUpdateDialogBase::changeEvent(event);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
