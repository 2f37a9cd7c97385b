#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "config/DiscreteIoRules.h"
#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "config_ui/CCCLinkDialog.h"
#include "config_ui/CModbus2Dialog.h"
#include "config_ui/CModbusDialog.h"
#include "config_ui/InterfaceDialogs.h"
#include "config_ui/SettingsDialogRegistry.h"
#include "device/CSettingsStocker.h"
#include "device/DeviceTypeRecord.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

using namespace MainControl;

namespace {
constexpr int kInterfaceButtons[] = {Di, DoPo, Ao, Modbus, CcLink};

// Words an untouched OK may change, and why.
bool ExpectedChange(int button, const ParameterSet& set, int word)
{
    // Opening the output dialog of a ZN meter fixes its outputs to "Energy count".
    if (button == DoPo && DiscreteOutputFunctionFixed(set.type.Caps())) {
        for (const auto& row : DigitalOutputTable()) {
            if (row.functionWord == word && set.type.Has(row.capability))
                return true;
        }
    }
    return false;
}

// Makes an edit in every kind of control a dialog has, without confirming.
void TouchEverything(QDialog& dialog)
{
    for (auto* list : dialog.findChildren<QComboBox*>()) {
        if (list->count() > 1)
            list->setCurrentIndex((list->currentIndex() + 1) % list->count());
        if (list->isEditable())
            list->setEditText("1");
    }
    for (auto* edit : dialog.findChildren<QLineEdit*>())
        edit->setText("1");
    for (auto* button : dialog.findChildren<QRadioButton*>())
        button->setChecked(true);
}
} // namespace

class InterfaceDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void untouchedOkKeepsEveryDefaultWordOverTheCatalogue();
    void cancelLeavesTheSetUnchanged();
    void modbusButtonOpensTheDialogOfTheInterface();

private:
    std::optional<CPromptFixture<>> prompts_;
};

void InterfaceDialogsTest::init()
{
    prompts_.emplace();
    RegisterInterfaceDialogs();
    // A nested dialog (Advanced, Energy) is never opened by these tests.
    SetModalRunner([](QDialog&) { return int(QDialog::Rejected); });
}

void InterfaceDialogsTest::cleanup()
{
    prompts_.reset();
}

void InterfaceDialogsTest::untouchedOkKeepsEveryDefaultWordOverTheCatalogue()
{
    int opened = 0;
    for (const auto& record : DeviceCatalogue()) {
        const ParameterSet set = SetOf(record.typeId);
        for (const int button : kInterfaceButtons) {
            if (!MainButtonEnabled(button, set.type.Caps()))
                continue;
            const SettingsDialogFactory* factory = FindSettingsDialog(button);
            QVERIFY(factory);
            SettingsDialogHandle handle = (*factory)(set, nullptr);
            handle.dialog->accept();
            const QString where = QString("type %1, button %2").arg(record.typeId).arg(button);
            QVERIFY2(handle.dialog->result() == QDialog::Accepted, qPrintable(where));
            const ParameterSet after = handle.parameters();
            for (int w = 0; w < kParameterWords; ++w) {
                if (after[w] != set[w] && !ExpectedChange(button, set, w))
                    QFAIL(qPrintable(QString("%1: word %2 changed from %3 to %4")
                                         .arg(where)
                                         .arg(w)
                                         .arg(set[w])
                                         .arg(after[w])));
            }
            ++opened;
        }
    }
    QVERIFY(opened > 100);
    QVERIFY(prompts_->shown.empty());
}

void InterfaceDialogsTest::cancelLeavesTheSetUnchanged()
{
    // One variant per dialog layout, each with its button enabled.
    const int typeIds[] = {70, 14, 37, 64, 80, 83, 61, 29};
    for (const int typeId : typeIds) {
        const ParameterSet set = SetOf(typeId);
        for (const int button : kInterfaceButtons) {
            if (!MainButtonEnabled(button, set.type.Caps()))
                continue;
            SettingsDialogHandle handle = (*FindSettingsDialog(button))(set, nullptr);
            TouchEverything(*handle.dialog);
            handle.dialog->reject();
            // Cancel hands nothing back: the main window keeps its own set.
            QCOMPARE(handle.dialog->result(), int(QDialog::Rejected));
            if (button == DoPo && DiscreteOutputFunctionFixed(set.type.Caps()))
                continue;
            QVERIFY2(handle.parameters().words == set.words,
                     qPrintable(QString("type %1, button %2").arg(typeId).arg(button)));
        }
    }
}

void InterfaceDialogsTest::modbusButtonOpensTheDialogOfTheInterface()
{
    const SettingsDialogFactory* factory = FindSettingsDialog(Modbus);
    QVERIFY(factory);
    for (const int typeId : {61, 62, 63, 67}) {
        auto handle = (*factory)(SetOf(typeId), nullptr);
        QVERIFY(qobject_cast<CModbus2Dialog*>(handle.dialog.get()));
    }
    for (const int typeId : {70, 37, 64, 83}) {
        auto handle = (*factory)(SetOf(typeId), nullptr);
        QVERIFY(qobject_cast<CModbusDialog*>(handle.dialog.get()));
    }
    auto handle = (*FindSettingsDialog(CcLink))(SetOf(29), nullptr);
    QVERIFY(qobject_cast<CCCLinkDialog*>(handle.dialog.get()));
}

QTEST_MAIN(InterfaceDialogsTest)
#include "InterfaceDialogsTest.moc"
