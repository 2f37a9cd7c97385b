#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "config/DisplayOptions.h"
#include "config/DisplaySettings.h"
#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "config_ui/CBarDialog.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CDisplayExpressionDialog.h"
#include "config_ui/CDisplaySigmaDialog.h"
#include "config_ui/CShortCutMenuDialog.h"
#include "config_ui/DisplayDialogs.h"
#include "config_ui/SettingsDialogRegistry.h"
#include "device/CSettingsStocker.h"
#include "device/DeviceTypeRecord.h"
#include "support/CatalogueIds.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CParEdit.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {
namespace MC = MainControl;

constexpr std::array<int, 5> kButtons = {MC::Display, MC::ExtBar, MC::SigmaDisp, MC::Expression,
                                         MC::ShortCut};

// Changes whatever the open dialog shows, as a user would before Cancel.
void EditEverything(QDialog& dialog)
{
    for (auto* combo : dialog.findChildren<QComboBox*>())
        if (combo->isEnabled() && combo->count() > 1)
            combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
    for (auto* box : dialog.findChildren<QCheckBox*>())
        if (box->isEnabled())
            box->toggle();
    for (auto* radio : dialog.findChildren<QRadioButton*>())
        if (radio->isEnabled() && !radio->isChecked())
            radio->setChecked(true);
    for (auto* slider : dialog.findChildren<QSlider*>())
        slider->setValue(slider->value() == 1 ? 3 : 1);
    if (auto* bar = dynamic_cast<CBarDialog*>(&dialog)) {
        bar->OpenEditor(0, 1);
        bar->Editor()->Edit()->setText("7");
        QTest::keyClick(bar->Editor()->Edit(), Qt::Key_Return);
    }
}

} // namespace

class DisplayDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void expressionPairsFollowTheVariant_data();
    void expressionPairsFollowTheVariant();
    void expressionStoresTheSecondButton();
    void shortCutStoresEnable();
    void cancelLeavesTheWorkingSetUnchanged_data();
    void cancelLeavesTheWorkingSetUnchanged();
    void untouchedOkKeepsEveryDefaultWord();

private:
    std::optional<CPromptFixture<>> prompts_;
};

void DisplayDialogsTest::initTestCase()
{
    RegisterDisplayDialogs();
}

void DisplayDialogsTest::init()
{
    prompts_.emplace();
}

void DisplayDialogsTest::cleanup()
{
    prompts_.reset();
}

void DisplayDialogsTest::expressionPairsFollowTheVariant_data()
{
    QTest::addColumn<int>("typeId");
    QTest::addColumn<bool>("indication");
    QTest::addColumn<bool>("powerFormat");
    QTest::newRow("KTA gen1") << kKtaGen1Modbus << true << false;
    QTest::newRow("KTA gen2") << kKtaGen3Modbus << true << true;
    QTest::newRow("KTB gen2") << kKtbGen3Modbus << false << true;
}

void DisplayDialogsTest::expressionPairsFollowTheVariant()
{
    QFETCH(int, typeId);
    QFETCH(bool, indication);
    QFETCH(bool, powerFormat);
    using namespace ExpressionControl;
    CDisplayExpressionDialog dialog(SetOf(typeId));
    for (int id : {InputLineFirst, InputLineSecond, PhaseDirectionFirst, PhaseDirectionSecond})
        QCOMPARE(Control<QRadioButton>(&dialog, id)->isEnabled(), indication);
    for (int id : {InputLineLabel, PhaseDirectionLabel})
        QCOMPARE(Control<QLabel>(&dialog, id)->isEnabled(), indication);
    for (int id : {PowerFormatFirst, PowerFormatSecond})
        QCOMPARE(Control<QRadioButton>(&dialog, id)->isEnabled(), powerFormat);
    QCOMPARE(Control<QLabel>(&dialog, PowerFormatLabel)->isEnabled(), powerFormat);
    QCOMPARE(Control<QRadioButton>(&dialog, PowerFormatFirst)->text(),
             QString("Use k if power <= 9999"));
}

void DisplayDialogsTest::expressionStoresTheSecondButton()
{
    using namespace ExpressionControl;
    ParameterSet set = SetOf(kKtbGen3Modbus);
    set[DisplayOptionWord::InputLine] = 5; // disabled on KTB: kept as it is
    set[DisplayOptionWord::PowerFormat] = 2;
    CDisplayExpressionDialog dialog(set);
    QVERIFY(Control<QRadioButton>(&dialog, PowerFormatSecond)->isChecked());
    dialog.accept();
    QCOMPARE(int(dialog.Parameters()[DisplayOptionWord::InputLine]), 5);
    QCOMPARE(int(dialog.Parameters()[DisplayOptionWord::PowerFormat]), 1);

    CDisplayExpressionDialog kta(SetOf(kKtaGen3Modbus));
    QVERIFY(Control<QRadioButton>(&kta, InputLineFirst)->isChecked());
    Control<QRadioButton>(&kta, InputLineSecond)->setChecked(true);
    kta.accept();
    QCOMPARE(int(kta.Parameters()[DisplayOptionWord::InputLine]), 1);
    QCOMPARE(Control<QRadioButton>(&kta, InputLineSecond)->text(), QString("R - S - T"));
}

void DisplayDialogsTest::shortCutStoresEnable()
{
    ParameterSet set = SetOf(kKtaGen3Modbus);
    set[DisplayOptionWord::ClearAlarmShortCut] = 3;
    CShortCutMenuDialog dialog(set);
    auto* enable = Control<QRadioButton>(&dialog, ShortCutControl::Enable);
    QVERIFY(enable->isChecked());
    dialog.accept();
    QCOMPARE(int(dialog.Parameters()[DisplayOptionWord::ClearAlarmShortCut]), 1);
    Control<QRadioButton>(&dialog, ShortCutControl::Disable)->setChecked(true);
    dialog.accept();
    QCOMPARE(int(dialog.Parameters()[DisplayOptionWord::ClearAlarmShortCut]), 0);
}

void DisplayDialogsTest::cancelLeavesTheWorkingSetUnchanged_data()
{
    QTest::addColumn<int>("typeId");
    QTest::addColumn<int>("button");
    QTest::newRow("Display") << kKtaGen3Modbus << int(MC::Display);
    QTest::newRow("ZNEPW Display") << kZnepw << int(MC::Display);
    QTest::newRow("Ext. Bar") << kKtbGen3Modbus << int(MC::ExtBar);
    QTest::newRow("Sigma Disp.") << kKtbGen3Modbus << int(MC::SigmaDisp);
    QTest::newRow("Expression") << kKtaGen3Modbus << int(MC::Expression);
    QTest::newRow("Short Cut") << kKtaGen3Modbus << int(MC::ShortCut);
}

void DisplayDialogsTest::cancelLeavesTheWorkingSetUnchanged()
{
    QFETCH(int, typeId);
    QFETCH(int, button);
    ParameterSet last = SetOf(typeId);
    CBasicParameterDialog window(last);
    const ParameterSet before = window.WorkingSet();
    bool ran = false;
    SetModalRunner([&](QDialog& dialog) {
        ran = true;
        dialog.show();
        EditEverything(dialog);
        return int(QDialog::Rejected);
    });
    auto* pushButton = Control<QPushButton>(&window, button);
    QVERIFY(pushButton->isEnabled());
    pushButton->click();
    QVERIFY(ran);
    QCOMPARE(window.WorkingSet().words, before.words);
}

// The normalising reads (a ZNEPW brightness outside the list, circuit A forced
// active, a slider value outside 1-3) never meet a default set: no exceptions.
void DisplayDialogsTest::untouchedOkKeepsEveryDefaultWord()
{
    int opened = 0;
    for (const DeviceTypeRecord& record : DeviceCatalogue()) {
        for (int button : kButtons) {
            if (!MainButtonEnabled(button, record.Caps()))
                continue;
            const ParameterSet set = SetOf(record.typeId);
            SettingsDialogHandle handle = (*FindSettingsDialog(button))(set, nullptr);
            handle.dialog->accept();
            QCOMPARE(handle.dialog->result(), int(QDialog::Accepted));
            const ParameterSet out = handle.parameters();
            for (int word = 0; word < kParameterWords; ++word) {
                if (out[word] != set[word])
                    QFAIL(qPrintable(QString("type %1 button %2 word %3: %4 -> %5")
                                         .arg(record.typeId)
                                         .arg(button)
                                         .arg(word)
                                         .arg(set[word])
                                         .arg(out[word])));
            }
            ++opened;
        }
    }
    QVERIFY(opened > 100);
    QVERIFY(prompts_->shown.empty());
}

QTEST_MAIN(DisplayDialogsTest)
#include "DisplayDialogsTest.moc"
