#include "utility/CDateDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/AppIcon.h"
#include "app/DialogText.h"
#include "app/IPromptService.h"
#include "background/CBackgroundExecutor.h"
#include "monitor/MonitorTexts.h"
#include "text/TextIds.h"
#include "utility/ClockCommands.h"
#include "utility/DeviceCommand.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {

constexpr int kTextProcessing = 11031;
constexpr int kTextNote = 11032;
constexpr int kTextCaption = 25530;
constexpr int kTextPcTime = 25531;
constexpr int kTextDeviceTime = 25532;
constexpr int kTextSyncPc = 25533;
constexpr int kTextSet = 25534;
constexpr int kTextDate = 25535;
constexpr int kTextTime = 25536;
// Room for the frame and the text margins of an edit, in average characters.
constexpr int kEditMarginChars = 3;
constexpr int kNoteWidthChars = 64;

QString Shown(const DeviceDateTime& time)
{
    return QString::fromStdString(FormatDateTime(time));
}

QLabel* ValueLabel(QWidget* parent, int controlId)
{
    auto* label = new QLabel(parent);
    SetControlId(label, controlId);
    // As wide as a time or "(Processing now...)", so the window does not jump.
    const QFontMetrics fm = label->fontMetrics();
    label->setMinimumWidth(std::max(fm.horizontalAdvance(QStringLiteral("0000/00/00 00:00:00")),
                                    fm.horizontalAdvance(UiText(kTextProcessing))));
    return label;
}

QPushButton* Button(QWidget* parent, int textId, int controlId)
{
    auto* button = new QPushButton(UiText(textId), parent);
    SetControlId(button, controlId);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CDateDialog::CDateDialog(CModbusInterface& connection, QWidget* parent, IClockSource* clock)
    : CObserverDialog(parent), connection_(connection), clock_(clock ? *clock : systemClock_),
      job_(connection, CBackgroundExecutor::Instance())
{
    setWindowTitle(UiText(kTextCaption));
    ApplyAppIcon(*this);
    BuildLayout();
    FillEdits(clock_.Now().time);
    job_.Item().Attach(*this);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &CDateDialog::OnTick);
    OnTick();
    timer_.start();
}

CDateDialog::~CDateDialog()
{
    timer_.stop();
    // No completion reaches a window that is going; job_ then waits for its read.
    DetachAll();
}

void CDateDialog::BuildLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* top = new QGridLayout;
    top->addLayout(BuildTimeRows(), 0, 0);
    top->addLayout(BuildEditRow(), 1, 0);
    auto* sync = Button(this, kTextSyncPc, kSyncPc);
    auto* set = Button(this, kTextSet, kSet);
    top->addWidget(sync, 0, 1, Qt::AlignBottom);
    top->addWidget(set, 1, 1);
    top->setColumnStretch(0, 1);
    layout->addLayout(top);

    auto* note = new QLabel(DialogText(kTextNote), this);
    SetControlId(note, kNote);
    note->setWordWrap(true);
    // A fixed size, as wide as the rows above: a wrapped label left to find
    // its own height squeezes the rows of a window of fixed size.
    const QFontMetrics fm = note->fontMetrics();
    const int width = std::max(top->sizeHint().width(), fm.averageCharWidth() * kNoteWidthChars);
    const QRect text = fm.boundingRect(QRect(0, 0, width, 0), Qt::TextWordWrap, note->text());
    note->setFixedSize(width, text.height());
    layout->addWidget(note);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* close = Button(this, TextId::Close, kClose);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(sync, &QPushButton::clicked, this, &CDateDialog::OnSyncPc);
    connect(set, &QPushButton::clicked, this, &CDateDialog::OnSet);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QLayout* CDateDialog::BuildTimeRows()
{
    auto* rows = new QGridLayout;
    pcTime_ = ValueLabel(this, kPcTime);
    deviceTime_ = ValueLabel(this, kDeviceTime);
    rows->addWidget(new QLabel(UiText(kTextPcTime), this), 0, 0);
    rows->addWidget(pcTime_, 0, 1);
    rows->addWidget(new QLabel(UiText(kTextDeviceTime), this), 1, 0);
    rows->addWidget(deviceTime_, 1, 1);
    rows->setColumnStretch(1, 1);
    return rows;
}

QLayout* CDateDialog::BuildEditRow()
{
    auto* row = new QHBoxLayout;
    const QString separators[] = {QString(), QStringLiteral("/"), QStringLiteral("/"),
                                  QString(), QStringLiteral(":"), QStringLiteral(":")};
    for (int i = 0; i < static_cast<int>(edits_.size()); ++i) {
        if (i == 0 || i == 3)
            row->addWidget(new QLabel(UiText(i == 0 ? kTextDate : kTextTime), this));
        else
            row->addWidget(new QLabel(separators[i], this));
        auto* edit = new QLineEdit(this);
        SetControlId(edit, kYear + i);
        const int digits = i == 0 ? 4 : 2;
        edit->setMaxLength(digits);
        const QFontMetrics fm = edit->fontMetrics();
        edit->setFixedWidth(fm.horizontalAdvance(QString(digits, QLatin1Char('0'))) +
                            fm.averageCharWidth() * kEditMarginChars);
        edit->setAlignment(Qt::AlignRight);
        row->addWidget(edit);
        edits_[i] = edit;
    }
    row->addStretch();
    return row;
}

void CDateDialog::FillEdits(const DeviceDateTime& time)
{
    const int values[] = {time.year, time.month, time.day, time.hour, time.minute, time.second};
    for (std::size_t i = 0; i < edits_.size(); ++i)
        edits_[i]->setText(
            QStringLiteral("%1").arg(values[i], i == 0 ? 4 : 2, 10, QLatin1Char('0')));
}

void CDateDialog::done(int result)
{
    timer_.stop();
    CObserverDialog::done(result);
}

void CDateDialog::OnTick()
{
    pcTime_->setText(Shown(clock_.Now().time));
    if (writing_ || job_.InFlight()) {
        deviceTime_->setText(UiText(kTextProcessing));
        return;
    }
    job_.Post();
}

void CDateDialog::OnObservedUpdate(CObservable* source)
{
    if (source != &job_.Item())
        return;
    const CClockReadJob::Result result = job_.TakeResult();
    // A write under way keeps "(Processing now...)" until it has ended.
    if (writing_)
        return;
    deviceTime_->setText(result.time ? Shown(*result.time)
                                     : UiText(MonitorText::kCommunicationError).trimmed());
    // The failed read's own text for whoever wants to know more.
    deviceTime_->setToolTip(QString::fromStdString(result.error));
    emit DeviceTimeShown();
}

template <class Write> void CDateDialog::RunWrite(Write&& write)
{
    writing_ = true;
    deviceTime_->setText(UiText(kTextProcessing));
    deviceTime_->repaint();
    RunDeviceCommand([&] {
        CWaitCursor waiting;
        write();
    });
    writing_ = false;
}

void CDateDialog::OnSyncPc()
{
    RunWrite([this] { SyncDeviceClock(connection_, clock_); });
}

void CDateDialog::OnSet()
{
    DateEdits typed;
    std::string* fields[] = {&typed.year, &typed.month,  &typed.day,
                             &typed.hour, &typed.minute, &typed.second};
    for (std::size_t i = 0; i < edits_.size(); ++i)
        *fields[i] = edits_[i]->text().toStdString();
    const DateInputResult input = ReadDateEdits(typed);
    if (!input.value) {
        Prompts().ShowMessage(input.error, PromptIcon::Error, PromptButtons::Ok);
        QLineEdit* invalid = Edit(input.invalidField);
        invalid->setFocus();
        invalid->selectAll();
        return;
    }
    RunWrite([this, &input] { SetDeviceClock(connection_, *input.value); });
}

void RunDateDialog(CModbusInterface& connection, QWidget* parent)
{
    CDateDialog dialog(connection, parent);
    RunModal(dialog);
}
