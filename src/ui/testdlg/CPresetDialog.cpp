#include "testdlg/CPresetDialog.h"

#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "testdlg/CLoopTestDialog.h"
#include "testdlg/CPresetPanel.h"
#include "testdlg/TestDialogParts.h"
#include "widgets/UiText.h"

CPresetDialog::CPresetDialog(CModbusInterface& connection, const CDeviceType& device, int channel,
                             QWidget* parent)
    : QDialog(parent), panel_(new CPresetPanel(connection, device, channel, this))
{
    setWindowTitle(UiText(TestDialogText::kPresetCaption));
    ApplyAppIcon(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(panel_);
    layout->addLayout(CloseButtonRow(*this));
    panel_->Start();
}

void CPresetDialog::done(int result)
{
    panel_->Stop();
    QDialog::done(result);
}
