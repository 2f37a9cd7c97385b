#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <fstream>
#include <sstream>

#include "CPosixFileSystem.h"
#include "SimulatedTcpDevice.h"
#include "app/CAppSettings.h"
#include "app/CProgressDialog.h"
#include "config_ui/CCompareDialog.h"
#include "device/CConfigFile.h"
#include "device/ReportColours.h"
#include "support/CatalogueIds.h"
#include "support/PromptFixture.h"
#include "text/CStringTable.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {
constexpr int kTextAllMatching = 11004;
constexpr int kTextNotMatching = 11005;
constexpr int kWordPanelPasscode = 29;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int CountLines(const std::string& text)
{
    int lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++lines;
    return lines;
}

} // namespace

class CompareDialogTest : public QObject {
    Q_OBJECT

    std::optional<CPromptFixture<CProgressAwarePrompts>> prompts_;
    CMemorySettingsStore store_;
    std::unique_ptr<CAppSettings> settings_;
    QTemporaryDir dir_;

    std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
    std::string SavedFile(const char* name, const ParameterSet& set)
    {
        const std::string path = Path(name);
        CConfigFile::SaveToFile(set, path);
        return path;
    }
    template <typename T> static T* Control(CCompareDialog& d, int id)
    {
        return FindControl<T>(&d, id);
    }
    static int ListRows(CCompareDialog& d)
    {
        return Control<QTreeWidget>(d, CCompareDialog::kList)->topLevelItemCount();
    }

private slots:
    void init()
    {
        InstallPlatformFiles();
        prompts_.emplace();
        settings_ = std::make_unique<CAppSettings>(store_);
        settings_->SetHideIgnoreParameters(false);
        SetModalRunner([this](QDialog& d) { return RunProgressToEnd(d, *prompts_, false); });
    }
    void cleanup() { prompts_.reset(); }

    void opensAsAReportWithoutResultAndCopy()
    {
        CCompareDialog dialog(SetOf(kKtaGen3Modbus), *settings_);
        auto* list = Control<QTreeWidget>(dialog, CCompareDialog::kList);
        QCOMPARE(list->columnCount(), 3);
        QCOMPARE(list->headerItem()->text(2), UiText(2452));
        QCOMPARE(ListRows(dialog), int(dialog.Report().Rows().size()));
        QVERIFY(Control<QLabel>(dialog, CCompareDialog::kResult)->text().isEmpty());
        QVERIFY(!Control<QPushButton>(dialog, CCompareDialog::kCopy)->isEnabled());
    }

    void comparingWithADifferingFileMarksAndCountsTheDifference()
    {
        const ParameterSet pc = SetOf(kKtaGen3Modbus);
        ParameterSet other = pc;
        other[kWordPanelPasscode] = static_cast<std::uint16_t>(pc[kWordPanelPasscode] + 1);
        prompts_->fileNames.push_back(SavedFile("other.cfg", other));
        CCompareDialog dialog(pc, *settings_);
        Control<QPushButton>(dialog, CCompareDialog::kFile)->click();

        auto* list = Control<QTreeWidget>(dialog, CCompareDialog::kList);
        QCOMPARE(list->columnCount(), 4);
        QCOMPARE(list->headerItem()->text(3), QString("other.cfg"));
        auto* result = Control<QLabel>(dialog, CCompareDialog::kResult);
        QCOMPARE(result->text(), UiFormat(kTextNotMatching, {"1"}));
        QVERIFY(result->styleSheet().contains("255, 0, 0"));
        QVERIFY(Control<QPushButton>(dialog, CCompareDialog::kCopy)->isEnabled());
        const int row = dialog.Report().FirstDifferentRow();
        QCOMPARE(dialog.Report().Rows()[static_cast<size_t>(row)].word, kWordPanelPasscode);
        const QColor marked = list->topLevelItem(row)->background(2).color();
        QCOMPARE(marked, QColor(kDifferentCellBackground.r, kDifferentCellBackground.g,
                                kDifferentCellBackground.b));
    }

    void comparingWithItselfMatchesWithoutRed()
    {
        const ParameterSet pc = SetOf(kKtaGen3Modbus);
        prompts_->fileNames.push_back(SavedFile("same.cfg", pc));
        CCompareDialog dialog(pc, *settings_);
        dialog.CompareWithFile();
        auto* result = Control<QLabel>(dialog, CCompareDialog::kResult);
        QCOMPARE(result->text(), UiText(kTextAllMatching));
        QVERIFY(result->styleSheet().isEmpty());
    }

    void hidingUnableRowsFollowsAndStoresTheSetting()
    {
        prompts_->fileNames.push_back(SavedFile("qh.cfg", SetOf(kQhModbusEx8)));
        CCompareDialog dialog(SetOf(kKtaGen3Modbus), *settings_);
        dialog.CompareWithFile();
        const int all = ListRows(dialog);
        auto* hide = Control<QCheckBox>(dialog, CCompareDialog::kHideUnable);
        QVERIFY(!hide->isChecked());
        hide->click();
        QVERIFY(settings_->HideIgnoreParameters());
        QVERIFY(ListRows(dialog) < all);
        for (const ReportRow& row : dialog.Report().Rows())
            QVERIFY(row.state != ReportRowState::NotApplicable || !row.ValuesEmpty());
        hide->click();
        QVERIFY(!settings_->HideIgnoreParameters());
        QCOMPARE(ListRows(dialog), all);
    }

    void startsWithTheStoredHideSetting()
    {
        settings_->SetHideIgnoreParameters(true);
        CCompareDialog dialog(SetOf(kKtaGen3Modbus), *settings_);
        QVERIFY(Control<QCheckBox>(dialog, CCompareDialog::kHideUnable)->isChecked());
        QVERIFY(dialog.Report().HideUnable());
    }

    void exportWritesOneLinePerRow()
    {
        const ParameterSet pc = SetOf(kKtaGen3Modbus);
        prompts_->fileNames.push_back(SavedFile("same.cfg", pc));
        const std::string csv = Path("report.csv");
        prompts_->fileNames.push_back(csv);
        CCompareDialog dialog(pc, *settings_);
        dialog.CompareWithFile();
        Control<QPushButton>(dialog, CCompareDialog::kExportCsv)->click();
        QVERIFY(prompts_->shown.empty());
        const std::string text = ReadFile(csv);
        QCOMPARE(CountLines(text), int(dialog.Report().Rows().size()));
        QVERIFY(text.rfind("\"" + dialog.Report().Rows()[0].group + "\",\"", 0) == 0);
    }

    void copyTakesTheComparisonIntoThePcSideOnly()
    {
        const ParameterSet pc = SetOf(kKtaGen3Modbus);
        ParameterSet other = pc;
        other[kWordPanelPasscode] = static_cast<std::uint16_t>(pc[kWordPanelPasscode] + 5);
        prompts_->fileNames.push_back(SavedFile("other.cfg", other));
        CCompareDialog dialog(pc, *settings_);
        dialog.CompareWithFile();
        Control<QPushButton>(dialog, CCompareDialog::kCopy)->click();
        QCOMPARE(dialog.Report().PcSet()[kWordPanelPasscode], other[kWordPanelPasscode]);
        QCOMPARE(dialog.Report().DifferentCount(), 0);
        QVERIFY(dialog.Report().ComparisonSet()->words == other.words);
        QCOMPARE(Control<QLabel>(dialog, CCompareDialog::kResult)->text(),
                 UiText(kTextAllMatching));
    }

    void aFailedLoadLeavesTheWindowAsItWas()
    {
        const std::string broken = Path("broken.cfg");
        std::ofstream(broken) << "[KTACFG]\nModel=4711\nDeviceVersion=110\n";
        prompts_->fileNames.push_back(broken);
        CCompareDialog dialog(SetOf(kKtaGen3Modbus), *settings_);
        dialog.CompareWithFile();
        QCOMPARE(prompts_->shown.size(), std::size_t(1));
        QVERIFY(!dialog.Report().IsComparing());
        QCOMPARE(Control<QTreeWidget>(dialog, CCompareDialog::kList)->columnCount(), 3);
    }

    void comparingWithADeviceHeadsTheColumnDevice()
    {
        SimulatedTcpDevice device(DeviceOptions(kKtaGen3Modbus));
        prompts_->connects.push_back(device.Settings());
        CCompareDialog dialog(SetOf(kKtaGen3Modbus), *settings_);
        Control<QPushButton>(dialog, CCompareDialog::kDevice)->click();
        QVERIFY(prompts_->shown.empty());
        QVERIFY(dialog.Report().IsComparing());
        auto* list = Control<QTreeWidget>(dialog, CCompareDialog::kList);
        QCOMPARE(list->headerItem()->text(3), UiText(2453));
        QVERIFY(device.Writes().empty());
    }
};

QTEST_MAIN(CompareDialogTest)
#include "CompareDialogTest.moc"
