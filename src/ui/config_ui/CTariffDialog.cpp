#include "config_ui/CTariffDialog.h"
#include "widgets/DialogButtons.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/AlarmTexts.h"
#include "config/TariffSetting.h"
#include "widgets/UiText.h"

namespace {
const QColor kNoteColour(130, 130, 0);
// The note wraps at this many average characters.
constexpr int kNoteWidthInChars = 48;
} // namespace

CTariffDialog::CTariffDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent),
      high_(new QRadioButton(UiText(AlarmText::HighTariff), this)),
      low_(new QRadioButton(UiText(AlarmText::LowTariff), this)),
      note_(new QLabel(UiText(AlarmText::TariffNote), this))
{
    setWindowTitle(UiText(AlarmText::TariffCaption));
    SetControlId(high_, kHighTariff);
    SetControlId(low_, kLowTariff);
    SetControlId(note_, kNote);
    const bool low = TariffFormOf(set_).tariff == Tariff::Low;
    low_->setChecked(low);
    high_->setChecked(!low);

    QPalette pal = note_->palette();
    pal.setColor(QPalette::WindowText, kNoteColour);
    note_->setPalette(pal);
    note_->setWordWrap(true);
    note_->setFixedWidth(note_->fontMetrics().averageCharWidth() * kNoteWidthInChars);
    note_->setVisible(TariffNoteVisible(set_.type.Caps()));

    auto* buttons = MakeOkCancelButtons(this, AlarmText::Ok, AlarmText::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(high_);
    layout->addWidget(low_);
    layout->addWidget(note_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CTariffDialog::accept()
{
    ReadTariffForm({low_->isChecked() ? Tariff::Low : Tariff::High}, set_);
    QDialog::accept();
}
