#pragma once

#include "view/CUpdateDialogBase.h"

#include <QPointer>
#include <QSharedPointer>
#include <QVector>

class QPushButton;

namespace Plugin::Dorvix {
class IFirmwareUpdateInfo;
}

namespace Ui {
class UpdateSelectionDialogUi;
}

namespace Plugin::FirmwareUpdater::Internal::View {

// Page 2: the update file's path, Browse, and what the file offers. The page
// never opens the file; the service checks it and answers through the setters.
class CUpdateSelectionDialog : public CUpdateDialogBase
{
    Q_OBJECT

public:
    explicit CUpdateSelectionDialog(QWidget *parent = nullptr);
    ~CUpdateSelectionDialog() override;

    void setSupportUrl(const QString &url);
    void setUpdateFilePath(const QString &path);
    void setUpdateFileState(bool compatible, bool noFile);
    // A file the host could not read or parse: the error row gives its reason.
    void setReadError(const QString &reason);
    // A file for other camera models: the error row names those connected.
    void setModelsOfFile(const QStringList &models);
    QString updateFilePath() const;
    void
    showUpdateDetails(const QVector<QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo>> &infos,
                      bool noFile);

signals:
    void backClicked();
    void nextClicked();
    void browseClicked();
    void pathChanged(QString path);

public slots:
    void setVisible(bool visible) override;
    void dialogButtonClicked(QAbstractButton *pButton) override;

protected:
    void changeEvent(QEvent *event) override;

private:
    // The form's fixed widths grow to fit their texts in every language.
    void fitFixedWidths();

    void showReleaseNotes(const QString &notes);

    Ui::UpdateSelectionDialogUi *m_ui = nullptr;
    QPointer<QPushButton> m_backButton;
    QPointer<QPushButton> m_nextButton;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
