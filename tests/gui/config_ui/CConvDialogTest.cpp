#include <QPushButton>
#include <QTest>

#include <memory>

#include "config/ConversionSettings.h"
#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CConvDialog.h"
#include "config_ui/InputDialogs.h"
#include "config_ui/SettingsDialogRegistry.h"
#include "device/CSettingsStocker.h"
#include "device/DeviceTypeRecord.h"
#include "device/UnitText.h"
#include "support/CatalogueIds.h"
#include "support/DialogTestHelpers.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "widgets/CDataGridView.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CParEdit.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

class CConvDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void gridOfCoefficientsAndUnits();
    void unitRules_data();
    void unitRules();
    void coefficientCommitMovesRight();
    void untouchedOkKeepsEveryDefaultWord();
    void cancelFromTheMainWindowKeepsTheWorkingSet();

private:
    void Open(const ParameterSet& set)
    {
        dialog_ = std::make_unique<CConvDialog>(set);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    }
    // Types a text into a cell and presses Enter.
    void Commit(int column, int row, const QString& text)
    {
        dialog_->OpenCellEditor(column, row);
        CEditText* edit = dialog_->Editor()->Edit();
        edit->selectAll();
        if (text.isEmpty())
            edit->del();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    std::unique_ptr<CConvDialog> dialog_;
    std::optional<CPromptFixture<>> prompts_;
};

void CConvDialogTest::init()
{
    prompts_.emplace();
}

void CConvDialogTest::cleanup()
{
    dialog_.reset();
    prompts_.reset();
}

void CConvDialogTest::gridOfCoefficientsAndUnits()
{
    ParameterSet set = SetOf(kZnepw);
    set.Set32(60, 1234);
    Open(set);
    CDataGridView* grid = dialog_->Grid();
    QCOMPARE(grid->ColumnCount(), 5);
    QCOMPARE(grid->RowCount(), 3);
    QCOMPARE(grid->Model().HeaderAt(0, 0).value_or(0), 999);
    QCOMPARE(grid->Model().HeaderAt(4, 0).value_or(0), 6003);
    QCOMPARE(grid->Model().HeaderAt(0, 2).value_or(0), 22102);
    QCOMPARE(grid->ValueText(3, 1), QString("1.234"));
    QCOMPARE(grid->ValueText(1, 2), QString("  kG"));

    Open(SetOf(kZnpw));
    QCOMPARE(dialog_->Grid()->RowCount(), 2);
}

void CConvDialogTest::unitRules_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("message");
    QTest::addColumn<QString>("stored");
    QTest::newRow("two characters are padded") << "kW" << 0 << "  kW";
    QTest::newRow("four with one k") << "kVAR" << 0 << "kVAR";
    QTest::newRow("five characters") << "kVARH" << 11041 << "";
    QTest::newRow("four without prefix") << "ABCD" << 11042 << "";
    QTest::newRow("lower case other than k") << "kw" << 11043 << "";
    QTest::newRow("two k") << "kkW" << 11044 << "";
    QTest::newRow("empty") << "" << 11047 << "";
    QTest::newRow("lone k ends in k") << "k" << 11048 << "";
}

void CConvDialogTest::unitRules()
{
    QFETCH(QString, typed);
    QFETCH(int, message);
    QFETCH(QString, stored);
    Open(SetOf(kZnepw));
    Commit(2, 2, typed);
    if (message) {
        QCOMPARE(prompts_->Texts(), std::vector<std::string>{LoadText(message)});
        QCOMPARE(QString::fromStdString(UnitText(dialog_->Parameters(), 53)), QString("  kG"));
        QVERIFY(dialog_->Editor()->Edit()->isVisible());
    } else {
        QVERIFY(prompts_->shown.empty());
        QCOMPARE(QString::fromStdString(UnitText(dialog_->Parameters(), 53)), stored);
        QCOMPARE(dialog_->Grid()->ValueText(2, 2), stored);
    }
}

void CConvDialogTest::coefficientCommitMovesRight()
{
    Open(SetOf(kZnpw));
    Commit(1, 1, "100");
    QCOMPARE(prompts_->Texts(),
             std::vector<std::string>{FormatText(11000, {"Conv value coef", "0.000", "99.999"})});
    CEditText* edit = dialog_->Editor()->Edit();
    edit->selectAll();
    QTest::keyClicks(edit, "2.5");
    edit->setCursorPosition(edit->text().size());
    QTest::keyClick(edit, Qt::Key_Right);
    QCOMPARE(dialog_->Parameters().Get32(42), 2500);
    QCOMPARE(dialog_->Grid()->SelectedColumn(), 2);
    QVERIFY(edit->isVisible());
    dialog_->accept();
    QVERIFY(!edit->isVisible());
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
}

void CConvDialogTest::untouchedOkKeepsEveryDefaultWord()
{
    int checked = 0;
    for (const auto& row : DeviceCatalogue()) {
        if (!MainButtonEnabled(MainControl::ConvValue, row.Caps()))
            continue;
        const ParameterSet expected = SetOf(row.typeId);
        Open(expected);
        dialog_->accept();
        QCOMPARE(dialog_->result(), int(QDialog::Accepted));
        QVERIFY(dialog_->Parameters().words == expected.words);
        ++checked;
    }
    QCOMPARE(checked, 3);
}

void CConvDialogTest::cancelFromTheMainWindowKeepsTheWorkingSet()
{
    RegisterInputDialogs();
    ParameterSet last = SetOf(kZnepw);
    CBasicParameterDialog window(last);
    const ParameterSet before = window.WorkingSet();
    bool accept = false;
    SetModalRunner([&](QDialog& d) {
        auto* conv = dynamic_cast<CConvDialog*>(&d);
        if (!conv)
            return int(QDialog::Rejected);
        conv->OpenCellEditor(4, 1);
        conv->Editor()->Edit()->setText("7.5");
        QTest::keyClick(conv->Editor()->Edit(), Qt::Key_Return);
        conv->OpenCellEditor(4, 2);
        conv->Editor()->Edit()->setText("A");
        QTest::keyClick(conv->Editor()->Edit(), Qt::Key_Return);
        accept ? conv->accept() : conv->reject();
        return conv->result();
    });
    FindControl<QPushButton>(&window, MainControl::ConvValue)->click();
    QVERIFY(window.WorkingSet().words == before.words);

    accept = true;
    FindControl<QPushButton>(&window, MainControl::ConvValue)->click();
    QCOMPARE(window.WorkingSet().Get32(69), 7500);
    QCOMPARE(UnitText(window.WorkingSet(), 71), std::string("   A"));
    RegisterSettingsDialog(MainControl::Others, {});
    RegisterSettingsDialog(MainControl::ConvValue, {});
}

QTEST_MAIN(CConvDialogTest)
#include "CConvDialogTest.moc"
