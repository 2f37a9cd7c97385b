#include "app/CQtPromptService.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "CPortDiscovery.h"
#include "app/AppIcon.h"
#include "app/CCommDialog.h"
#include "app/CEnterPasscodeDialog.h"
#include "app/CProtectDialog.h"
#include "text/TextIds.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {
constexpr int kTextYes = 20227;
constexpr int kTextNo = 20228;

QMessageBox::Icon BoxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Error:
        return QMessageBox::Critical;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Button texts from the string table, so a message box speaks the display language.
void AddButtons(QMessageBox& box, PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok:
        box.addButton(QMessageBox::Ok)->setText(UiText(TextId::Ok));
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case PromptButtons::OkCancel:
        box.addButton(QMessageBox::Ok)->setText(UiText(TextId::Ok));
        box.addButton(QMessageBox::Cancel)->setText(UiText(TextId::Cancel));
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case PromptButtons::YesNo:
        box.addButton(QMessageBox::Yes)->setText(UiText(kTextYes));
        box.addButton(QMessageBox::No)->setText(UiText(kTextNo));
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case PromptButtons::YesNoDefaultNo:
        box.addButton(QMessageBox::Yes)->setText(UiText(kTextYes));
        box.addButton(QMessageBox::No)->setText(UiText(kTextNo));
        box.setDefaultButton(QMessageBox::No);
        break;
    }
}

PromptResult ResultOf(int button, PromptButtons buttons)
{
    switch (button) {
    case QMessageBox::Ok:
        return PromptResult::Ok;
    case QMessageBox::Yes:
        return PromptResult::Yes;
    case QMessageBox::No:
        return PromptResult::No;
    default:
        // Escape or the close box: the answer that does nothing.
        return IsYesNo(buttons)               ? PromptResult::No
               : buttons == PromptButtons::Ok ? PromptResult::Ok
                                              : PromptResult::Cancel;
    }
}

QWidget* Owner()
{
    return QApplication::activeWindow();
}

QString TitleText()
{
    return QCoreApplication::applicationName();
}

} // namespace

QString ToQtFileFilter(const std::string& filter)
{
    const QStringList fields = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < fields.size(); i += 2) {
        QString label = fields[i].trimmed();
        const QString patterns = fields[i + 1].trimmed();
        if (label.isEmpty() && patterns.isEmpty())
            break;
        // Qt reads the patterns from the last parentheses of a filter, so the
        // label's own "(*.cfg)" is replaced by the pattern field.
        const int open = label.lastIndexOf(QLatin1Char('('));
        if (open > 0 && label.endsWith(QLatin1Char(')')))
            label = label.left(open).trimmed();
        QStringList qtPatterns;
        for (const QString& p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            qtPatterns << (p.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : p.trimmed());
        filters << QStringLiteral("%1 (%2)").arg(label, qtPatterns.join(QLatin1Char(' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

PromptResult CQtPromptService::ShowMessage(const std::string& text, PromptIcon icon,
                                           PromptButtons buttons)
{
    QMessageBox box(BoxIcon(icon), TitleText(), QString::fromStdString(text), QMessageBox::NoButton,
                    Owner());
    ApplyAppIcon(box);
    AddButtons(box, buttons);
    return ResultOf(RunModal(box), buttons);
}

std::optional<std::string> CQtPromptService::AskFileName(const FileDialogRequest& request)
{
    QFileDialog dialog(Owner());
    dialog.setNameFilter(ToQtFileFilter(request.filter));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QString extension = QString::fromStdString(request.defaultExtension);
    if (extension.startsWith(QLatin1Char('.')))
        extension.remove(0, 1);
    if (!extension.isEmpty())
        dialog.setDefaultSuffix(extension);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

bool CQtPromptService::ConnectDialog(ComSettings& settings)
{
    CCommDialog dialog(settings, CPortDiscovery::Enumerate(), Owner());
    if (RunModal(dialog) != QDialog::Accepted)
        return false;
    settings = dialog.Settings();
    return true;
}

bool CQtPromptService::DownloadConnectDialog(ComSettings& settings, bool& verify)
{
    CCommDialog dialog(settings, CPortDiscovery::Enumerate(), Owner(), ConnectPurpose::Download,
                       verify);
    if (RunModal(dialog) != QDialog::Accepted)
        return false;
    settings = dialog.Settings();
    verify = dialog.VerifyAfterDownload();
    return true;
}

std::optional<std::uint32_t> CQtPromptService::EnterModbusPasscode()
{
    CEnterPasscodeDialog dialog(store_, Owner());
    if (RunModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Passcode();
}

std::optional<ProtectRequest> CQtPromptService::ProtectSetting()
{
    CProtectDialog dialog(Owner());
    if (RunModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Request();
}
