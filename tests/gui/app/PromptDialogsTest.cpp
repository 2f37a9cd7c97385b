#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "app/CEnterPasscodeDialog.h"
#include "app/CPasscodeSettingDialog.h"
#include "app/CProtectDialog.h"
#include "app/CQtPromptService.h"
#include "app/CSettingsStore.h"
#include "device/PasscodeRules.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {
QLineEdit* Edit(QWidget* dialog, int id)
{
    return FindControl<QLineEdit>(dialog, id);
}
} // namespace

class PromptDialogsTest : public QObject {
    Q_OBJECT

    std::optional<CPromptFixture<>> prompts_;

private slots:
    void init() { prompts_.emplace(); }
    void cleanup() { prompts_.reset(); }

    void fileFiltersBecomeQtFilters()
    {
        QCOMPARE(ToQtFileFilter("Configuration Files (*.cfg)|*.cfg|All Files (*.*)|*.*||"),
                 QStringLiteral("Configuration Files (*.cfg);;All Files (*)"));
        QCOMPARE(ToQtFileFilter("Csv Files (*.csv)|*.csv|All Files (*.*)|*.*||"),
                 QStringLiteral("Csv Files (*.csv);;All Files (*)"));
    }

    void messageBoxAnswersMapToPromptResults()
    {
        CMemorySettingsStore store;
        CQtPromptService service(store);
        QString shownText;
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        SetModalRunner([&](QDialog& d) {
            auto& box = static_cast<QMessageBox&>(d);
            shownText = box.text();
            shownIcon = box.icon();
            return int(QMessageBox::Yes);
        });
        QVERIFY(service.AskYesNo("Are you sure?"));
        QCOMPARE(shownText, QStringLiteral("Are you sure?"));
        QCOMPARE(shownIcon, QMessageBox::Question);
        service.Error("Broken");
        QCOMPARE(shownIcon, QMessageBox::Critical);
        SetModalRunner([](QDialog&) { return int(QMessageBox::No); });
        QVERIFY(!service.AskYesNo("Are you sure?"));
    }

    void rememberedPasscodeIsOfferedMaskedAndSentUntouched()
    {
        CMemorySettingsStore store;
        SaveRememberedPasscode(store, 123456);
        CEnterPasscodeDialog dialog(store);
        QCOMPARE(Edit(&dialog, CEnterPasscodeDialog::kPasscode)->text(),
                 QStringLiteral("xxxxxxxxxxxx"));
        QVERIFY(FindControl<QCheckBox>(&dialog, CEnterPasscodeDialog::kSavePasscode)->isChecked());
        dialog.accept();
        QCOMPARE(dialog.Passcode(), 123456u);
        QCOMPARE(LoadRememberedPasscode(store), std::optional<std::uint32_t>(123456u));
    }

    void typedHexadecimalPasscodeIsRemembered()
    {
        CMemorySettingsStore store;
        CEnterPasscodeDialog dialog(store);
        QVERIFY(!FindControl<QCheckBox>(&dialog, CEnterPasscodeDialog::kSavePasscode)->isChecked());
        QTest::keyClicks(Edit(&dialog, CEnterPasscodeDialog::kPasscode), "0x1F");
        FindControl<QCheckBox>(&dialog, CEnterPasscodeDialog::kSavePasscode)->setChecked(true);
        dialog.accept();
        QCOMPARE(dialog.Passcode(), 31u);
        QCOMPARE(LoadRememberedPasscode(store), std::optional<std::uint32_t>(31u));
    }

    void clearedBoxForgetsThePasscode()
    {
        CMemorySettingsStore store;
        SaveRememberedPasscode(store, 5);
        CEnterPasscodeDialog dialog(store);
        FindControl<QCheckBox>(&dialog, CEnterPasscodeDialog::kSavePasscode)->setChecked(false);
        dialog.accept();
        QCOMPARE(dialog.Passcode(), 5u);
        QVERIFY(!LoadRememberedPasscode(store).has_value());
    }

    void protectDialogStaysOpenOnMismatch()
    {
        CProtectDialog dialog;
        dialog.show();
        Edit(&dialog, CProtectDialog::kNewPasscode)->setText("12");
        Edit(&dialog, CProtectDialog::kConfirmPasscode)->setText("13");
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(prompts_->Texts(), std::vector<std::string>{LoadText(11003)});
    }

    void protectDialogEmptyNewPasscodeRemovesProtection()
    {
        CProtectDialog dialog;
        dialog.show();
        Edit(&dialog, CProtectDialog::kCurrentPasscode)->setText("777");
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Request().currentPasscode, 777u);
        QCOMPARE(dialog.Request().newPasscode, 0u);
    }

    void frontPanelPasscodeRules()
    {
        CPasscodeSettingDialog dialog;
        dialog.show();
        QCOMPARE(Edit(&dialog, CPasscodeSettingDialog::kNewPasscode)->maxLength(), 4);
        Edit(&dialog, CPasscodeSettingDialog::kNewPasscode)->setText("123");
        Edit(&dialog, CPasscodeSettingDialog::kConfirmPasscode)->setText("123");
        dialog.accept();
        QVERIFY(dialog.isVisible());
        Edit(&dialog, CPasscodeSettingDialog::kNewPasscode)->setText("0042");
        Edit(&dialog, CPasscodeSettingDialog::kConfirmPasscode)->setText("0043");
        dialog.accept();
        QVERIFY(dialog.isVisible());
        Edit(&dialog, CPasscodeSettingDialog::kConfirmPasscode)->setText("0042");
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Passcode(), 42);
        QCOMPARE(prompts_->Texts(), (std::vector<std::string>{LoadText(11002), LoadText(11003)}));
    }
};

QTEST_MAIN(PromptDialogsTest)
#include "PromptDialogsTest.moc"
