#include "config_ui/CInput2Page.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "app/RunShowingErrors.h"
#include "config/MainWindowRules.h"
#include "config/MainWindowTexts.h"
#include "widgets/CDataGridView.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CParEdit.h"
#include "widgets/UiText.h"

namespace {
constexpr int kIoWordChannels = 3; // I/O word 4
constexpr int kCellPadding = 16;
constexpr int kMinimumColumnWidth = 60;

QStringList ToQStrings(const std::vector<std::string>& texts)
{
    QStringList list;
    for (const auto& t : texts)
        list << QString::fromStdString(t);
    return list;
}

QLineEdit* RatingEdit(QWidget* parent, int controlId)
{
    auto* edit = new QLineEdit(parent);
    SetControlId(edit, controlId);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    return edit;
}
} // namespace

CInput2Page::CInput2Page(QWidget* parent)
    : QWidget(parent), vtPrimary_(RatingEdit(this, kVtPrimary)),
      vtSecondary_(RatingEdit(this, kVtSecondary)), grid_(new CDataGridView(this)),
      editor_(new CParEdit(grid_))
{
    setObjectName(QStringLiteral("CInput2Page"));
    SetControlId(grid_, kCtSensorArea);

    auto* vt = new QHBoxLayout;
    vt->addWidget(new QLabel(UiText(MainText::VtRating), this));
    vt->addSpacing(8);
    vt->addWidget(new QLabel(UiText(MainText::Primary), this));
    vt->addWidget(vtPrimary_);
    vt->addWidget(new QLabel(UiText(MainText::Volt), this));
    vt->addSpacing(12);
    vt->addWidget(new QLabel(UiText(MainText::Secondary), this));
    vt->addWidget(vtSecondary_);
    vt->addWidget(new QLabel(UiText(MainText::Volt), this));
    vt->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(vt);
    layout->addWidget(new QLabel(UiText(MainText::CtSensor), this));
    layout->addWidget(grid_, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);

    grid_->SetSelectable(true);
    connect(grid_, &CDataGridView::CellClicked, this,
            [this](int column, int row) { OpenEditor(column, row); });
    connect(grid_, &CDataGridView::EditRequested, this,
            [this](int column, int row, const QString& start) { OpenEditor(column, row, start); });
    connect(editor_, &CParEdit::EditFinished, this, &CInput2Page::OnEditFinished);
}

void CInput2Page::Refresh(ParameterSet& given)
{
    editor_->HideEditors();
    layout_ = InputPageLayoutFor(given.type.ioWords[kIoWordChannels]);
    ClearLocationsOnSingleWire(layout_, given);
    set_ = given;
    vtPrimary_->setText(
        QString::number(static_cast<std::uint32_t>(set_.Get32(MainWord::VtPrimary))));
    vtSecondary_->setText(QString::number(set_[MainWord::VtSecondary]));
    grid_->SetHeaders(layout_.headers, ColumnWidth());
    FillGrid();
}

void CInput2Page::WiringChanged(ParameterSet& given)
{
    editor_->HideEditors();
    set_[MainWord::System] = given[MainWord::System];
    ClearLocationsOnSingleWire(layout_, given);
    ClearLocationsOnSingleWire(layout_, set_);
    FillGrid();
}

void CInput2Page::CopyChannelsTo(ParameterSet& set) const
{
    CopyChannelWords(layout_, set_, set);
}

void CInput2Page::SetGridEnabled(bool enabled)
{
    if (!enabled)
        editor_->HideEditors();
    grid_->setEnabled(enabled);
}

void CInput2Page::FillGrid()
{
    grid_->ClearValues();
    for (const auto& cell : layout_.cells)
        grid_->SetValueText(cell.column, cell.row,
                            QString::fromStdString(ChannelCellText(cell, set_)));
    ApplyReadOnly();
    grid_->update();
}

void CInput2Page::ApplyReadOnly()
{
    grid_->ClearReadOnly();
    for (const auto& pos : ReadOnlyChannelCells(layout_, set_[MainWord::System]))
        grid_->SetReadOnly(pos.column, pos.row, true);
}

// Wide enough for the longest sensor name or header of either language.
int CInput2Page::ColumnWidth() const
{
    const QFontMetrics fm(grid_->font());
    int widest = kMinimumColumnWidth;
    auto consider = [&](const QString& text) {
        widest = std::max(widest, fm.horizontalAdvance(text) + kCellPadding);
    };
    for (const auto& t : ChannelChoiceTexts(ChannelCellKind::Sensor, set_.type.Caps()))
        consider(QString::fromStdString(t));
    for (const auto& t : ChannelChoiceTexts(ChannelCellKind::Location, set_.type.Caps()))
        consider(QString::fromStdString(t));
    for (const auto& h : layout_.headers)
        consider(UiText(h.textId));
    return widest;
}

void CInput2Page::OpenEditor(int column, int row, const QString& startText)
{
    const ChannelCell* cell = layout_.CellAt(column, row);
    if (!cell || !grid_->isEnabled() || grid_->IsReadOnly(column, row))
        return;
    grid_->Select(column, row);
    const QRect rect = grid_->CellLabelRect(column, row);
    if (cell->kind == ChannelCellKind::Primary) {
        editor_->ShowEdit(column, row, rect, grid_->ValueText(column, row), startText);
        return;
    }
    const auto choices = ChannelChoiceTexts(cell->kind, set_.type.Caps());
    editor_->ShowList(column, row, rect, ToQStrings(choices), set_[cell->word]);
}

void CInput2Page::EndEditing()
{
    editor_->DialogEnded();
}

void CInput2Page::OnEditFinished(const ParEditResult& result)
{
    const ChannelCell* cell = layout_.CellAt(result.column, result.row);
    if (!cell)
        return;
    if (result.kind != ParEditKind::Nothing && !Store(*cell, result))
        return;
    FillGrid();
    if (result.kind == ParEditKind::Nothing || result.move == EditMove::Stay)
        return;
    if (const auto next = grid_->Neighbour(result.column, result.row, result.move))
        OpenEditor(next->column, next->row);
}

bool CInput2Page::Store(const ChannelCell& cell, const ParEditResult& result)
{
    if (result.kind == ParEditKind::ListChoice) {
        ApplyChannelChoice(layout_, cell, result.listIndex, set_);
        return true;
    }
    if (RunShowingErrors([&] { ApplyChannelPrimary(cell, result.text.toStdString(), set_); }))
        return true;
    editor_->ReopenEdit();
    return false;
}
