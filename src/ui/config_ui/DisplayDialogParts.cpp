#include "config_ui/DisplayDialogParts.h"

#include <QHeaderView>

#include "widgets/CListCtrlInfoTip.h"
#include "widgets/DialogButtons.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/DisplayTexts.h"
#include "widgets/UiText.h"

void AddOkCancel(QDialog* dialog, QBoxLayout* layout)
{
    layout->addWidget(MakeOkCancelButtons(dialog, DisplayText::Ok, DisplayText::Cancel));
}

QComboBox* CodedCombo(QWidget* parent, int controlId, const std::vector<CodedEntry>& entries,
                      int selected)
{
    auto* combo = new QComboBox(parent);
    SetControlId(combo, controlId);
    for (const auto& entry : entries)
        combo->addItem(UiText(entry.textId), entry.code);
    combo->setCurrentIndex(selected >= 0 && selected < combo->count() ? selected : -1);
    return combo;
}

void FitListToRows(CListCtrlInfoTip* list, int rows, int width)
{
    const int height = list->horizontalHeader()->sizeHint().height() +
                       rows * list->verticalHeader()->defaultSectionSize() + 2 * list->frameWidth();
    list->setFixedSize(width, height);
    list->FitColumns();
}
