#include "utility/CSelCircuitDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "app/DialogText.h"
#include "text/TextIds.h"
#include "widgets/DialogButtons.h"
#include "widgets/UiText.h"

namespace {
constexpr int kTextCaption = 25520;
constexpr int kTextAllCircuits = 25521;
constexpr int kTextCircuitA = 25522; // then B, C, D and "Circuit Common"
// Circuit boxes stand indented under "All circuits".
constexpr int kIndentChars = 3;
} // namespace

CSelCircuitDlg::CSelCircuitDlg(const CircuitChooserSetup& setup, QWidget* parent)
    : QDialog(parent), setup_(setup)
{
    setWindowTitle(UiText(kTextCaption));
    ApplyAppIcon(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* message = new QLabel(DialogText(setup.messageId), this);
    SetControlId(message, kMessage);
    layout->addWidget(message);

    all_ = new QCheckBox(UiText(kTextAllCircuits), this);
    SetControlId(all_, kAllCircuits);
    layout->addWidget(all_);
    auto* boxes = new QVBoxLayout;
    boxes->setContentsMargins(fontMetrics().averageCharWidth() * kIndentChars, 0, 0, 0);
    for (std::size_t i = 0; i < circuits_.size(); ++i) {
        auto* box = new QCheckBox(UiText(kTextCircuitA + static_cast<int>(i)), this);
        SetControlId(box, kCircuitA + static_cast<int>(i));
        // "Circuit Common" has no meaning for an energy reset.
        if (setup.values[i] == 0)
            box->hide();
        boxes->addWidget(box);
        circuits_[i] = box;
    }
    layout->addLayout(boxes);
    layout->addWidget(MakeOkCancelButtons(this, TextId::Ok, TextId::Cancel));

    connect(all_, &QCheckBox::toggled, this, &CSelCircuitDlg::OnAllCircuits);
    all_->setChecked(true);
}

void CSelCircuitDlg::OnAllCircuits(bool checked)
{
    for (QCheckBox* box : circuits_) {
        if (checked)
            box->setChecked(true);
        box->setEnabled(!checked);
    }
}

std::uint16_t CSelCircuitDlg::Result() const
{
    std::array<bool, 5> checked{};
    for (std::size_t i = 0; i < circuits_.size(); ++i)
        checked[i] = circuits_[i]->isChecked();
    return CircuitChooserResult(setup_, all_->isChecked(), checked);
}

void CSelCircuitDlg::accept()
{
    if (Result() == 0)
        return;
    QDialog::accept();
}
