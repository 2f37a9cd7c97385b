#include "config_ui/CAlarmDialog.h"
#include "widgets/DialogButtons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/RunShowingErrors.h"
#include "config/AlarmSettings.h"
#include "config/AlarmTexts.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CListCtrlInfoTip.h"
#include "widgets/CParEdit.h"
#include "widgets/UiText.h"

namespace {
// Shares of the list's client width for the columns before the last one.
const std::vector<double> kColumnFractions = {0.277, 0.154, 0.154, 0.108, 0.108};
// The list is wide enough for "-2000000000 (var)" in a setpoint column.
constexpr int kListWidthInDigits = 112;

QStringList ToQStrings(const std::vector<std::string>& texts)
{
    QStringList list;
    for (const std::string& t : texts)
        list << QString::fromStdString(t);
    return list;
}

QStringList ColumnHeadings()
{
    QStringList headings;
    for (int c = 0; c < kAlarmColumnCount; ++c)
        headings << UiText(AlarmText::FirstColumnHeading + c);
    return headings;
}
} // namespace

CAlarmDialog::CAlarmDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent), powerOnDelay_(new QLineEdit(this)),
      latching_(new QCheckBox(UiText(AlarmText::Latching), this)),
      list_(new CListCtrlInfoTip(this)), editor_(new CParEdit(list_->viewport()))
{
    setWindowTitle(UiText(AlarmText::AlarmCaption));
    SetControlId(powerOnDelay_, kPowerOnDelay);
    SetControlId(latching_, kLatching);
    SetControlId(list_, kAlarmList);
    powerOnDelay_->setFixedWidth(powerOnDelay_->fontMetrics().horizontalAdvance("0000000"));
    const AlarmForm form = AlarmFormOf(set_);
    powerOnDelay_->setText(QString::fromStdString(form.powerOnDelay));
    latching_->setChecked(form.latching);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(UiText(AlarmText::PowerOnDelay), this));
    top->addWidget(powerOnDelay_);
    top->addWidget(new QLabel(UiText(AlarmText::Seconds), this));
    top->addSpacing(24);
    top->addWidget(latching_);
    top->addStretch(1);

    auto* buttons = MakeOkCancelButtons(this, AlarmText::Ok, AlarmText::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    BuildList();
    connect(list_, &CListCtrlInfoTip::cellClicked, this, &CAlarmDialog::OpenEditor);
    connect(editor_, &CParEdit::EditFinished, this, &CAlarmDialog::OnEditFinished);
}

void CAlarmDialog::BuildList()
{
    list_->setAccessibleName(UiText(AlarmText::AlarmList));
    list_->SetColumns(ColumnHeadings(), kColumnFractions);
    list_->setRowCount(kAlarmRowCount);
    for (int row = 0; row < kAlarmRowCount; ++row)
        FillRow(row);
    // Every row in view: an editor laid over a cell must not scroll away.
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rowsHeight = kAlarmRowCount * list_->verticalHeader()->defaultSectionSize();
    list_->setFixedSize(list_->fontMetrics().horizontalAdvance(QChar('0')) * kListWidthInDigits,
                        list_->horizontalHeader()->sizeHint().height() + rowsHeight +
                            2 * list_->frameWidth());
}

void CAlarmDialog::FillRow(int row)
{
    const bool applies = AlarmRowApplies(row, set_.type.Caps());
    const QPalette& pal = list_->palette();
    const QBrush text = applies ? pal.brush(QPalette::Active, QPalette::Text)
                                : pal.brush(QPalette::Disabled, QPalette::Text);
    const QBrush back = applies ? pal.brush(QPalette::Base) : pal.brush(QPalette::Button);
    for (int c = 0; c < kAlarmColumnCount; ++c) {
        list_->SetCellText(row, c,
                           QString::fromStdString(AlarmCellText(set_, row, AlarmColumn(c))));
        QTableWidgetItem* item = list_->item(row, c);
        item->setForeground(text);
        item->setBackground(back);
    }
}

void CAlarmDialog::OpenEditor(int row, int column)
{
    if (!AlarmRowApplies(row, set_.type.Caps()) || !IsAlarmValueColumn(column))
        return;
    list_->setCurrentCell(row, column);
    const QRect rect = list_->CellRect(row, column);
    if (AlarmColumn(column) != AlarmColumn::Output) {
        editor_->ShowEdit(column, row, rect,
                          QString::fromStdString(AlarmEditText(set_, row, AlarmColumn(column))));
        return;
    }
    const Capabilities caps = set_.type.Caps();
    const std::uint16_t code = set_[AlarmItemWord(row, AlarmWord::Output)];
    std::vector<std::string> texts;
    for (const std::uint16_t c : AlarmOutputCodes(caps, code))
        texts.push_back(AlarmOutputText(caps, c));
    editor_->ShowList(column, row, rect, ToQStrings(texts), AlarmOutputIndex(caps, code));
}

void CAlarmDialog::OnEditFinished(const ParEditResult& result)
{
    if (result.row < 0 || result.row >= kAlarmRowCount)
        return;
    const bool stored = result.kind != ParEditKind::Nothing && Store(result);
    FillRow(result.row);
    // A refused value stays where it was, so the user sees the cell the
    // message is about.
    if (!stored || result.move == EditMove::Stay)
        return;
    if (const auto next =
            AlarmNeighbourCell(set_.type.Caps(), result.row, result.column, result.move))
        OpenEditor(next->row, next->column);
}

bool CAlarmDialog::Store(const ParEditResult& result)
{
    if (result.kind == ParEditKind::ListChoice) {
        StoreAlarmOutput(set_, result.row, result.listIndex);
        return true;
    }
    return RunShowingErrors([&] {
        StoreAlarmValue(set_, result.row, AlarmColumn(result.column), result.text.toStdString());
    });
}

void CAlarmDialog::accept()
{
    editor_->DialogEnded();
    const AlarmForm form{powerOnDelay_->text().toStdString(), latching_->isChecked()};
    if (!RunShowingErrors([&] { ReadAlarmForm(form, set_); })) {
        powerOnDelay_->setFocus();
        powerOnDelay_->selectAll();
        return;
    }
    QDialog::accept();
}

void CAlarmDialog::reject()
{
    editor_->DialogEnded();
    QDialog::reject();
}
