// What the main configuration window does when the user acts on it.
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/CPrivateException.h"
#include "app/RunShowingErrors.h"
#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "config/ReadBack.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CInput2Page.h"
#include "config_ui/IMainWindowCommands.h"
#include "config_ui/RefreshGuard.h"
#include "config_ui/SettingsDialogRegistry.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {
// A type that cannot be picked by hand (a device that was uploaded or a
// file that was opened) is shown as the first entry of the lists; it keeps
// its identity as long as the user has not chosen another variant.
bool KeepsUnlistedType(const std::vector<SelectionEntry>& list, const ParameterSet& set,
                       const ModelChoice& choice)
{
    const int typeId = set.type.TypeId();
    for (const auto& e : list)
        if (e.typeId == typeId)
            return false;
    return typeId >= 0 && ChoiceOfType(list, typeId) == choice;
}
} // namespace

void CBasicParameterDialog::ReadControls()
{
    if (!KeepsUnlistedType(selection_, working_, choice_))
        working_.type.SelectById(TypeIdOfChoice(selection_, choice_));
    ReadControlsBack();
}

void CBasicParameterDialog::ReadControlsBack()
{
    const Capabilities caps = working_.type.Caps();
    const bool page = InputLayoutFor(caps) == InputLayout::InputPage;
    // A code the list does not offer was shown as its last entry: that entry is what is kept.
    const int wiring = system_->currentIndex();
    if (wiring >= 0 && wiring < static_cast<int>(offeredWiring_.size()))
        working_[MainWord::System] =
            static_cast<std::uint16_t>(offeredWiring_[static_cast<size_t>(wiring)]);
    ReadBackSource source;
    source.text = [this, page](int controlId) -> std::string {
        QWidget* scope =
            page && (controlId == MainControl::VtPrimary || controlId == MainControl::VtSecondary)
                ? static_cast<QWidget*>(inputPage_)
                : static_cast<QWidget*>(vtCtPanel_);
        if (controlId == MainControl::DemandCurrentInterval)
            return currentInterval_->text().toStdString();
        if (controlId == MainControl::DemandPowerInterval)
            return powerInterval_->text().toStdString();
        return FindControl<QLineEdit>(scope, controlId)->text().toStdString();
    };
    source.focus = [this, page](int controlId) {
        QWidget* scope =
            page && (controlId == MainControl::VtPrimary || controlId == MainControl::VtSecondary)
                ? static_cast<QWidget*>(inputPage_)
                : static_cast<QWidget*>(this);
        if (auto* edit = FindControl<QLineEdit>(scope, controlId)) {
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        }
    };
    source.currentSourceCount = currentSource_->count();
    source.currentSourceIndex = currentSource_->currentIndex();
    source.powerSourceCount = powerSource_->count();
    source.powerSourceIndex = powerSource_->currentIndex();
    ReadBackControls(working_, caps, source);
    if (page)
        inputPage_->CopyChannelsTo(working_);
}

void CBasicParameterDialog::OnModelListChanged(int controlId)
{
    if (refreshing_)
        return;
    auto* list = FindControl<QComboBox>(this, controlId);
    const ModelLevel which = controlId == MainControl::ModelList  ? ModelLevel::Model
                             : controlId == MainControl::CodeList ? ModelLevel::Code
                                                                  : ModelLevel::Version;
    ModelChoice next = choice_;
    if (!ApplyModelListChange(next, which, list->currentText().toStdString()))
        return;
    const ModelLists lists = ResolveModelLists(selection_, next);
    const bool read = RunShowingErrors([this] {
        try {
            ReadControlsBack();
        } catch (const CPrivateException&) {
            // The variant stays as it was until the field is corrected; the
            // lists show that before the message does.
            CRefreshGuard guard(refreshing_);
            RefreshModelLists();
            throw;
        }
    });
    if (!read)
        return;
    choice_ = lists.choice;
    stocker_.ChangeDeviceType(TypeIdOfChoice(selection_, choice_), working_, false);
    RefreshControls();
}

void CBasicParameterDialog::OnSystemChanged(int index)
{
    if (refreshing_ || index < 0 || index >= static_cast<int>(offeredWiring_.size()))
        return;
    working_[MainWord::System] =
        static_cast<std::uint16_t>(offeredWiring_[static_cast<size_t>(index)]);
    if (InputLayoutFor(working_.type.Caps()) == InputLayout::InputPage)
        inputPage_->WiringChanged(working_);
}

void CBasicParameterDialog::OnDipSwitchClicked(bool checked)
{
    working_[MainWord::ConfigurationMode] = ConfigurationModeOfCheckBox(checked);
    ApplyDipSwitchRule();
}

void CBasicParameterDialog::RunCommand(void (IMainWindowCommands::*command)(CBasicParameterDialog&))
{
    IMainWindowCommands* commands = commands_ ? commands_ : MainWindowCommands();
    if (!commands)
        return;
    RunShowingErrors([&] { (commands->*command)(*this); });
}

void CBasicParameterDialog::OpenSettingsDialog(int controlId)
{
    const SettingsDialogFactory* factory = FindSettingsDialog(controlId);
    if (!factory)
        return;
    // The dialog starts from what the window shows, and the refresh after it
    // must not undo values typed here but not yet read.
    if (!RunShowingErrors([this] { ReadControlsBack(); }))
        return;
    SettingsDialogHandle handle = (*factory)(working_, this);
    if (!handle.dialog)
        return;
    if (RunModal(*handle.dialog) == QDialog::Accepted) {
        working_ = handle.parameters();
        RefreshControls();
    }
}

void CBasicParameterDialog::OnLanguage()
{
    if (!RunShowingErrors([this] { ReadControls(); }))
        return;
    if (switchLanguage_)
        switchLanguage_();
    EndWith(kShowAgain);
}

void CBasicParameterDialog::CloseWindow()
{
    EndWith(kClosed);
}

void CBasicParameterDialog::EndWith(int result)
{
    inputPage_->EndEditing();
    last_ = working_;
    done(result);
}

void CBasicParameterDialog::closeEvent(QCloseEvent* event)
{
    event->accept();
    CloseWindow();
}

void CBasicParameterDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
