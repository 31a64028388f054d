#pragma once

#include <QAbstractItemDelegate>
#include <QTreeView>

namespace Plugin::FirmwareUpdater::Internal::View {

// Tree of the pages with check boxes. Keeps the selection delegate's check
// box open after each toggle and starts the vertical scroll bar below the
// header area.
class CCustomTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit CCustomTreeView(QWidget *parent = nullptr);

public slots:
    void setVisible(bool visible) override;

protected slots:
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeVerticalScrollBar();
};

} // namespace Plugin::FirmwareUpdater::Internal::View
