#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

#include "app/CPrivateException.h"
#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CInput2Page.h"
#include "config_ui/SettingsDialogRegistry.h"
#include "device/CSettingsStocker.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

using namespace MainControl;

namespace {
// A settings dialog as the later ones are built: a copy of the set, Parameters().
class FakeSettingsDialog : public QDialog {
public:
    FakeSettingsDialog(const ParameterSet& set, QWidget* parent) : QDialog(parent), set_(set) {}
    const ParameterSet& Parameters() const { return set_; }
    ParameterSet set_;
};
} // namespace

class CBasicParameterDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void wiringCodeNotOfferedSelectsTheLastEntryAndIsStored();
    void zeroIntervalWithoutInputOffersDiscreteInputShownAs30();
    void timerChosenReadsTheShownInterval();
    void vtPrimaryLimitsAndMessages();
    void anotherModelSelectsFirstCodeAndLastFirmware();
    void variantChangeKeepsTheTypedValues();
    void invalidFieldKeepsTheVariant();
    void unlistedVariantKeepsItsIdentity();
    void controlsFollowTheButtonTableOverTheCatalogue();
    void dipSwitchGovernsSystemAndGrid();
    void enterAndEscapeDoNotClose();
    void languageHandsBackEditedValuesAndEndsWith1();
    void languageWithAnInvalidFieldStaysOpen();
    void closingHandsBackTheWorkingSetAndEndsWith0();
    void settingsDialogCommitsOnlyOnAccept();
    void unregisteredSettingsButtonDoesNothing();
    void passcodeButtonStoresTheFrontPanelPasscode();

private:
    template <typename T> T* Control(int id) { return FindControl<T>(dialog_, id); }
    QLineEdit* MainEdit(int id)
    {
        return FindControl<QLineEdit>(dialog_->findChild<QWidget*>("VtCtPanel"), id);
    }
    void Open(const ParameterSet& set)
    {
        delete dialog_;
        last_ = set;
        dialog_ = new CBasicParameterDialog(last_);
    }

    ParameterSet last_;
    CBasicParameterDialog* dialog_ = nullptr;
    std::optional<CPromptFixture<>> prompts_;
};

void CBasicParameterDialogTest::init()
{
    prompts_.emplace();
    Open(SetOf(70));
}

void CBasicParameterDialogTest::cleanup()
{
    delete dialog_;
    dialog_ = nullptr;
    prompts_.reset();
    RegisterSettingsDialog(Alarm, {});
}

void CBasicParameterDialogTest::wiringCodeNotOfferedSelectsTheLastEntryAndIsStored()
{
    ParameterSet set = SetOf(80); // ZM offers 0, 1, 3
    set[MainWord::System] = 2;
    Open(set);
    auto* system = Control<QComboBox>(System);
    QCOMPARE(system->count(), 3);
    QCOMPARE(system->currentIndex(), 2);
    QCOMPARE(system->currentText(), UiText(1603));
    dialog_->ReadControls();
    QCOMPARE(int(dialog_->WorkingSet()[MainWord::System]), 3);
}

void CBasicParameterDialogTest::zeroIntervalWithoutInputOffersDiscreteInputShownAs30()
{
    ParameterSet set = SetOf(71); // KTA without a discrete input
    set[MainWord::DemandCurrentInterval] = 0;
    set[MainWord::DemandPowerInterval] = 15;
    Open(set);
    auto* current = Control<QComboBox>(DemandCurrentSource);
    QCOMPARE(current->count(), 2);
    QCOMPARE(current->currentIndex(), 0);
    QCOMPARE(current->currentText(), UiText(21050));
    QCOMPARE(Control<QLineEdit>(DemandCurrentInterval)->text(), QString("30"));
    QVERIFY(!Control<QLineEdit>(DemandCurrentInterval)->isEnabled());
    auto* power = Control<QComboBox>(DemandPowerSource);
    QCOMPARE(power->count(), 1);
    QCOMPARE(power->currentText(), UiText(21051));
    QCOMPARE(Control<QLineEdit>(DemandPowerInterval)->text(), QString("15"));
    QVERIFY(Control<QLineEdit>(DemandPowerInterval)->isEnabled());

    dialog_->ReadControls();
    QCOMPARE(int(dialog_->WorkingSet()[MainWord::DemandCurrentInterval]), 0);
    QCOMPARE(int(dialog_->WorkingSet()[MainWord::DemandPowerInterval]), 15);
}

void CBasicParameterDialogTest::timerChosenReadsTheShownInterval()
{
    ParameterSet set = SetOf(71);
    set[MainWord::DemandCurrentInterval] = 0;
    Open(set);
    Control<QComboBox>(DemandCurrentSource)->setCurrentIndex(1);
    QVERIFY(Control<QLineEdit>(DemandCurrentInterval)->isEnabled());
    dialog_->ReadControls();
    QCOMPARE(int(dialog_->WorkingSet()[MainWord::DemandCurrentInterval]), 30);
}

void CBasicParameterDialogTest::vtPrimaryLimitsAndMessages()
{
    MainEdit(VtPrimary)->setText("400000");
    dialog_->ReadControls();
    QCOMPARE(dialog_->WorkingSet().Get32(MainWord::VtPrimary), 400000);

    const auto failure = [this](const QString& text) -> std::string {
        MainEdit(VtPrimary)->setText(text);
        try {
            dialog_->ReadControls();
        } catch (const CPrivateException& e) {
            return e.Text();
        }
        return {};
    };
    QCOMPARE(failure("400001"),
             std::string("You should input Primary voltage within the range of 50 - 400000."));
    QCOMPARE(failure("1e3"), FormatText(11027, {"Primary voltage"}));
    QCOMPARE(failure(""), FormatText(11027, {"Primary voltage"}));
    QCOMPARE(dialog_->WorkingSet().Get32(MainWord::VtPrimary), 400000);
}

void CBasicParameterDialogTest::anotherModelSelectsFirstCodeAndLastFirmware()
{
    auto* model = Control<QComboBox>(ModelList);
    model->setCurrentIndex(model->findText("KTB-"));
    auto* code = Control<QComboBox>(CodeList);
    auto* version = Control<QComboBox>(VersionList);
    QCOMPARE(code->currentIndex(), 0);
    QCOMPARE(version->currentIndex(), version->count() - 1);
    QCOMPARE(version->currentText(), QString("Ver.3.00 or later"));
    QCOMPARE(dialog_->WorkingSet().type.TypeId(), 39);
    QVERIFY(!Control<QPushButton>(Expression)->isEnabled() ==
            !MainButtonEnabled(Expression, dialog_->WorkingSet().type.Caps()));

    model->setCurrentIndex(model->findText("ZNEPW-"));
    QCOMPARE(dialog_->WorkingSet().type.TypeId(), 84);
    QVERIFY(!version->isEnabled());
    QCOMPARE(version->count(), 0);
}

void CBasicParameterDialogTest::variantChangeKeepsTheTypedValues()
{
    MainEdit(VtPrimary)->setText("6600");
    auto* code = Control<QComboBox>(CodeList);
    code->setCurrentIndex(code->findText("1**2 Ao 4-20mA x4"));
    QCOMPARE(dialog_->WorkingSet().type.TypeId(), 71);
    QCOMPARE(dialog_->WorkingSet().Get32(MainWord::VtPrimary), 6600);
    QCOMPARE(MainEdit(VtPrimary)->text(), QString("6600"));
}

void CBasicParameterDialogTest::invalidFieldKeepsTheVariant()
{
    MainEdit(VtPrimary)->setText("abc");
    auto* model = Control<QComboBox>(ModelList);
    model->setCurrentIndex(model->findText("KTB-"));
    QCOMPARE(prompts_->shown.size(), size_t(1));
    QCOMPARE(prompts_->shown[0].text, FormatText(11027, {"Primary voltage"}));
    QCOMPARE(model->currentText(), QString("KTA-"));
    QCOMPARE(dialog_->WorkingSet().type.TypeId(), 70);
    QCOMPARE(dialog_->CurrentChoice().version, std::string("Ver.2.40 or later"));
}

void CBasicParameterDialogTest::unlistedVariantKeepsItsIdentity()
{
    Open(SetOf(57));
    dialog_->ReadControls();
    QCOMPARE(dialog_->WorkingSet().type.TypeId(), 57);
    // Once the user picks a variant, the lists decide.
    auto* code = Control<QComboBox>(CodeList);
    code->setCurrentIndex(code->findText("1**2 Ao 4-20mA x4"));
    dialog_->ReadControls();
    QCOMPARE(dialog_->WorkingSet().type.TypeId(), 71);
}

void CBasicParameterDialogTest::controlsFollowTheButtonTableOverTheCatalogue()
{
    auto* stack = dialog_->findChild<QStackedWidget*>();
    for (const auto& entry : dialog_->SelectionList()) {
        dialog_->ReplaceWorkingSet(SetOf(entry.typeId));
        const Capabilities caps = dialog_->WorkingSet().type.Caps();
        for (int id : kMainCommandButtons)
            QVERIFY2(Control<QPushButton>(id)->isEnabled() == MainButtonEnabled(id, caps),
                     qPrintable(QString("type %1 button %2").arg(entry.typeId).arg(id)));
        for (int id : kSettingsButtons)
            QVERIFY2(Control<QPushButton>(id)->isEnabled() == MainButtonEnabled(id, caps),
                     qPrintable(QString("type %1 button %2").arg(entry.typeId).arg(id)));
        const bool page = InputLayoutFor(caps) == InputLayout::InputPage;
        QCOMPARE(stack->currentWidget() == dialog_->InputPage(), page);
        QCOMPARE(MainEdit(VtPrimary)->isEnabled(), !page);
        QCOMPARE(MainEdit(BarVoltage)->isEnabled(), !page && BarGraphEnabled(caps));
        QCOMPARE(Control<QComboBox>(DemandCurrentSource)->isEnabled(), DemandGroupEnabled(caps));
        QCOMPARE(dialog_->CurrentChoice().model, entry.model);
    }
}

void CBasicParameterDialogTest::dipSwitchGovernsSystemAndGrid()
{
    ParameterSet set = SetOf(37); // QG
    set[MainWord::ConfigurationMode] = 1;
    Open(set);
    dialog_->show();
    auto* dip = Control<QCheckBox>(DipSwitch);
    QVERIFY(dip->isVisible());
    QVERIFY(!dip->isChecked());
    QVERIFY(Control<QComboBox>(System)->isEnabled());
    dip->click();
    QCOMPARE(int(dialog_->WorkingSet()[MainWord::ConfigurationMode]), 0);
    QVERIFY(!Control<QComboBox>(System)->isEnabled());
    QVERIFY(!dialog_->InputPage()->findChild<QWidget*>("c1147")->isEnabled());

    Open(SetOf(84)); // ZN: no box, grid always usable
    dialog_->show();
    QVERIFY(!Control<QCheckBox>(DipSwitch)->isVisible());
    QVERIFY(Control<QCheckBox>(DipSwitch)->isChecked());
    QVERIFY(dialog_->InputPage()->findChild<QWidget*>("c1147")->isEnabled());
}

void CBasicParameterDialogTest::enterAndEscapeDoNotClose()
{
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_));
    QSignalSpy finished(dialog_, &QDialog::finished);
    for (QWidget* target :
         {static_cast<QWidget*>(dialog_), static_cast<QWidget*>(MainEdit(VtPrimary)),
          static_cast<QWidget*>(Control<QPushButton>(Upload))}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Enter);
    }
    QCOMPARE(finished.count(), 0);
    QVERIFY(dialog_->isVisible());
}

void CBasicParameterDialogTest::languageHandsBackEditedValuesAndEndsWith1()
{
    int switches = 0;
    dialog_->SetLanguageSwitch([&] { ++switches; });
    QSignalSpy finished(dialog_, &QDialog::finished);
    MainEdit(VtPrimary)->setText("1234");
    Control<QPushButton>(Language)->click();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 1);
    QCOMPARE(switches, 1);
    QCOMPARE(last_.Get32(MainWord::VtPrimary), 1234);
    QCOMPARE(last_.type.TypeId(), 70);

    CBasicParameterDialog again(last_);
    QCOMPARE(FindControl<QLineEdit>(again.findChild<QWidget*>("VtCtPanel"), VtPrimary)->text(),
             QString("1234"));
}

void CBasicParameterDialogTest::languageWithAnInvalidFieldStaysOpen()
{
    int switches = 0;
    dialog_->SetLanguageSwitch([&] { ++switches; });
    QSignalSpy finished(dialog_, &QDialog::finished);
    MainEdit(CtPrimary)->setText("0");
    Control<QPushButton>(Language)->click();
    QCOMPARE(finished.count(), 0);
    QCOMPARE(switches, 0);
    QCOMPARE(prompts_->Texts(),
             std::vector<std::string>{FormatText(11000, {"Primary current", "1", "20000"})});
    QCOMPARE(prompts_->shown[0].icon, PromptIcon::Error);
}

void CBasicParameterDialogTest::closingHandsBackTheWorkingSetAndEndsWith0()
{
    dialog_->show();
    QSignalSpy finished(dialog_, &QDialog::finished);
    dialog_->WorkingSet()[MainWord::BarCurrent] = 777;
    dialog_->close();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 0);
    QCOMPARE(int(last_[MainWord::BarCurrent]), 777);
}

void CBasicParameterDialogTest::settingsDialogCommitsOnlyOnAccept()
{
    RegisterSettingsDialog(Alarm, SettingsDialogOf<FakeSettingsDialog>());
    int result = QDialog::Rejected;
    SetModalRunner([&](QDialog& d) {
        auto& fake = static_cast<FakeSettingsDialog&>(d);
        fake.set_[MainWord::CtPrimary] = 1500;
        fake.set_[230] = 9;
        return result;
    });
    MainEdit(VtPrimary)->setText("3300");
    Control<QPushButton>(Alarm)->click();
    QCOMPARE(int(dialog_->WorkingSet()[230]), 0);
    QCOMPARE(MainEdit(CtPrimary)->text(), QString("5"));

    result = QDialog::Accepted;
    Control<QPushButton>(Alarm)->click();
    QCOMPARE(int(dialog_->WorkingSet()[230]), 9);
    QCOMPARE(MainEdit(CtPrimary)->text(), QString("1500"));
    // What was typed before the dialog opened survives its refresh.
    QCOMPARE(MainEdit(VtPrimary)->text(), QString("3300"));
}

void CBasicParameterDialogTest::unregisteredSettingsButtonDoesNothing()
{
    int runs = 0;
    SetModalRunner([&](QDialog&) { return ++runs, int(QDialog::Accepted); });
    const ParameterSet before = dialog_->WorkingSet();
    Control<QPushButton>(Tariff)->click();
    QCOMPARE(runs, 0);
    QVERIFY(dialog_->WorkingSet().words == before.words);
}

void CBasicParameterDialogTest::passcodeButtonStoresTheFrontPanelPasscode()
{
    QString typed = "1234", confirm = "1234";
    SetModalRunner([&](QDialog& d) {
        FindControl<QLineEdit>(&d, 1068)->setText(typed);
        FindControl<QLineEdit>(&d, 1069)->setText(confirm);
        d.accept();
        return d.result();
    });
    Control<QPushButton>(Passcode)->click();
    QCOMPARE(int(dialog_->WorkingSet()[29]), 1234);

    confirm = "1235";
    Control<QPushButton>(Passcode)->click();
    QCOMPARE(int(dialog_->WorkingSet()[29]), 1234);
    QCOMPARE(prompts_->Texts(), std::vector<std::string>{LoadText(11003)});

    typed = confirm = "12";
    Control<QPushButton>(Passcode)->click();
    QCOMPARE(prompts_->Texts().back(), LoadText(11002));
}

QTEST_MAIN(CBasicParameterDialogTest)
#include "CBasicParameterDialogTest.moc"
