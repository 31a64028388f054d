#pragma once

#include <QHeaderView>
#include <QPointer>

namespace Plugin::FirmwareUpdater::Internal::Style {
class CTreeViewHeaderStyle;
}

namespace Plugin::FirmwareUpdater::Internal::View {

// Horizontal header of every tree in the wizard, bold and flat.
class CTreeViewHeaderView : public QHeaderView
{
    Q_OBJECT

public:
    explicit CTreeViewHeaderView(QWidget *parent = nullptr);
    ~CTreeViewHeaderView() override;

    QSize sizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;
    // A cut title shows in full in a tool tip.
    bool viewportEvent(QEvent *event) override;

private:
    QPointer<Style::CTreeViewHeaderStyle> m_headerStyle;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
