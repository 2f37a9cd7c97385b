#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "config/DiscreteIoRules.h"
#include "config_ui/CDiscreteInputDialog.h"
#include "config_ui/CDiscreteOutputDialog.h"
#include "config_ui/CPulseDialog.h"
#include "device/CSettingsStocker.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

class CDiscreteOutputDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void inputFunctionsByFamily();
    void inputChoicePastTheListIsKept();
    void absentOutputsAreDisabledAndKeptAsTheyWere();
    void znpwOutputsAreSavedAsEnergyCount();
    void outputContactAndFunctionAreRead();
    void energyButtonOpensEnergySettingOfItsOutput();

private:
    std::optional<CPromptFixture<>> prompts_;
};

void CDiscreteOutputDialogTest::init()
{
    prompts_.emplace();
}

void CDiscreteOutputDialogTest::cleanup()
{
    prompts_.reset();
}

void CDiscreteOutputDialogTest::inputFunctionsByFamily()
{
    ParameterSet set = SetOf(70); // KTA gen2: five functions
    set[DiscreteWord::InputFunction] = 4;
    set[DiscreteWord::InputType] = 1;
    CDiscreteInputDialog dialog(set);
    auto* function = Control<QComboBox>(&dialog, DiControl::Function);
    QCOMPARE(function->count(), 5);
    QCOMPARE(function->currentText(), QString("Change tariff"));
    QVERIFY(Control<QRadioButton>(&dialog, DiControl::NormalClose)->isChecked());
    function->setCurrentIndex(1);
    Control<QRadioButton>(&dialog, DiControl::NormalOpen)->setChecked(true);
    dialog.accept();
    QCOMPARE(int(dialog.Parameters()[DiscreteWord::InputFunction]), 1);
    QCOMPARE(int(dialog.Parameters()[DiscreteWord::InputType]), 0);

    CDiscreteInputDialog first(SetOf(0)); // first generation: three
    QCOMPARE(Control<QComboBox>(&first, DiControl::Function)->count(), 3);
}

void CDiscreteOutputDialogTest::inputChoicePastTheListIsKept()
{
    ParameterSet set = SetOf(0);
    set[DiscreteWord::InputFunction] = 4; // e.g. from a file of a newer variant
    CDiscreteInputDialog dialog(set);
    // Nothing is shown rather than another function ("Reset energy count").
    QCOMPARE(Control<QComboBox>(&dialog, DiControl::Function)->currentIndex(), -1);
    dialog.accept();
    QCOMPARE(int(dialog.Parameters()[DiscreteWord::InputFunction]), 4);

    CDiscreteInputDialog chosen(set);
    Control<QComboBox>(&chosen, DiControl::Function)->setCurrentIndex(1);
    chosen.accept();
    QCOMPARE(int(chosen.Parameters()[DiscreteWord::InputFunction]), 1);
}

void CDiscreteOutputDialogTest::absentOutputsAreDisabledAndKeptAsTheyWere()
{
    ParameterSet set = SetOf(75); // KTA with Do1 and Do2
    set[192] = 2;                 // Do3 function
    set[193] = 1;
    CDiscreteOutputDialog dialog(set);
    for (size_t i = 0; i < 4; ++i) {
        const auto& row = DigitalOutputTable()[i];
        const bool present = i < 2;
        for (const int id : {row.functionList, row.normalOpen, row.normalClose, row.group,
                             row.functionLabel, row.contactLabel, row.energyButton})
            QCOMPARE(Control<QWidget>(&dialog, id)->isEnabled(), present);
        QCOMPARE(Control<QComboBox>(&dialog, row.functionList)->count(), 3);
    }
    dialog.accept();
    QVERIFY(dialog.Parameters().words == set.words);
}

void CDiscreteOutputDialogTest::znpwOutputsAreSavedAsEnergyCount()
{
    for (const int typeId : {83, 84, 85}) {
        ParameterSet set = SetOf(typeId);
        set[186] = 0;
        set[190] = 2;
        CDiscreteOutputDialog dialog(set);
        auto* list = Control<QComboBox>(&dialog, 1025);
        QCOMPARE(list->count(), 2);
        QVERIFY(!list->isEnabled());
        QCOMPARE(list->currentText(), QString("Energy count"));
        QCOMPARE(Control<QComboBox>(&dialog, 1026)->currentIndex(), 1);
        dialog.accept();
        QCOMPARE(int(dialog.Parameters()[186]), 1);
        QCOMPARE(int(dialog.Parameters()[190]), 1);
        QCOMPARE(int(dialog.Parameters()[192]), 0); // Do3 absent
    }
}

void CDiscreteOutputDialogTest::outputContactAndFunctionAreRead()
{
    ParameterSet set = SetOf(78); // four outputs
    set[194] = 5;                 // past the list: shows and saves the last entry
    CDiscreteOutputDialog dialog(set);
    QCOMPARE(Control<QComboBox>(&dialog, 1028)->currentText(), QString("Alarm status"));
    Control<QComboBox>(&dialog, 1026)->setCurrentIndex(1);
    Control<QRadioButton>(&dialog, 1041)->setChecked(true); // Do3 "Normal close"
    dialog.accept();
    QCOMPARE(int(dialog.Parameters()[190]), 1);
    QCOMPARE(int(dialog.Parameters()[193]), 1);
    QCOMPARE(int(dialog.Parameters()[194]), 2);
    QCOMPARE(int(dialog.Parameters()[187]), 0);
}

void CDiscreteOutputDialogTest::energyButtonOpensEnergySettingOfItsOutput()
{
    const ParameterSet set = SetOf(75); // Do1 and Do2
    CDiscreteOutputDialog dialog(set);
    int opened = 0;
    int result = QDialog::Rejected;
    SetModalRunner([&](QDialog& d) {
        auto* pulse = qobject_cast<CPulseDialog*>(&d);
        if (!pulse)
            qFatal("not the Energy Setting");
        opened = pulse->Output();
        auto* count = FindControl<QComboBox>(pulse, 1013);
        count->setCurrentIndex((count->currentIndex() + 1) % count->count());
        if (result == QDialog::Accepted)
            pulse->accept();
        return result;
    });
    auto* energy2 = Control<QPushButton>(&dialog, 1054);
    energy2->click();
    QCOMPARE(opened, 2);
    QVERIFY(dialog.Parameters().words == set.words);

    result = QDialog::Accepted;
    energy2->click();
    QVERIFY(dialog.Parameters()[202] != set[202]); // Po2 energy count
    QCOMPARE(dialog.Parameters()[196], set[196]);
    dialog.reject();
}

QTEST_MAIN(CDiscreteOutputDialogTest)
#include "CDiscreteOutputDialogTest.moc"
