#include "widgets/CIPAddressCtrlExt.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "edit/Ipv4Octet.h"

CIPAddressCtrlExt::CIPAddressCtrlExt(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    const int digitWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000"));
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("octet%1").arg(i));
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setMaxLength(3);
        field->setFixedWidth(digitWidth);
        field->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,3}")), field));
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, [this, i](const QString& text) {
            if (Ipv4OctetValue(text.toStdString()))
                accepted_[i] = text;
        });
        connect(field, &QLineEdit::textEdited, this, [this, i] { OnFieldEdited(i); });
        layout->addWidget(field);
        fields_[i] = field;
    }
    setFocusProxy(fields_[0]);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

std::array<std::uint8_t, 4> CIPAddressCtrlExt::Address() const
{
    std::array<std::uint8_t, 4> octets{};
    for (int i = 0; i < 4; ++i)
        octets[i] =
            static_cast<std::uint8_t>(Ipv4OctetValue(fields_[i]->text().toStdString()).value_or(0));
    return octets;
}

void CIPAddressCtrlExt::SetAddress(const std::array<std::uint8_t, 4>& octets)
{
    for (int i = 0; i < 4; ++i)
        fields_[i]->setText(QString::fromStdString(Ipv4OctetText(octets[i])));
}

std::uint32_t CIPAddressCtrlExt::PackedAddress() const
{
    return Ipv4Pack(Address());
}

void CIPAddressCtrlExt::SetPackedAddress(std::uint32_t address)
{
    SetAddress(Ipv4Unpack(address));
}

bool CIPAddressCtrlExt::IsBlank() const
{
    for (const QLineEdit* f : fields_) {
        if (!f->text().isEmpty())
            return false;
    }
    return true;
}

void CIPAddressCtrlExt::ClearAddress()
{
    for (QLineEdit* f : fields_)
        f->clear();
}

void CIPAddressCtrlExt::OnFieldEdited(int index)
{
    QLineEdit* field = fields_[index];
    const QString typed = field->text();
    const auto value = Ipv4OctetValue(typed.toStdString());
    if (!value) {
        const int caret = std::min(field->cursorPosition(), int(accepted_[index].size()));
        field->setText(accepted_[index]);
        field->setCursorPosition(caret);
        return;
    }
    // Reading the address back and setting it again normalises every field.
    const bool full = typed.size() == 3;
    const int caret = field->cursorPosition();
    SetAddress(Address());
    if (field->text() == typed)
        field->setCursorPosition(caret);
    emit AddressChanged();
    if (full && index < 3)
        FocusField(index + 1, false);
}

void CIPAddressCtrlExt::FocusField(int index, bool atEnd)
{
    QLineEdit* field = fields_[index];
    field->setFocus(Qt::TabFocusReason);
    if (atEnd)
        field->setCursorPosition(int(field->text().size()));
    else
        field->selectAll();
}

bool CIPAddressCtrlExt::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        for (int i = 0; i < 4; ++i) {
            if (watched == fields_[i])
                return HandleFieldKey(i, static_cast<QKeyEvent*>(event));
        }
    }
    return QFrame::eventFilter(watched, event);
}

bool CIPAddressCtrlExt::HandleFieldKey(int index, QKeyEvent* key)
{
    const QLineEdit* field = fields_[index];
    const bool atStart = field->cursorPosition() == 0 && !field->hasSelectedText();
    const bool atEnd = field->cursorPosition() == field->text().size() && !field->hasSelectedText();
    const bool dot = key->text() == QStringLiteral(".") || key->text() == QStringLiteral(" ");
    if ((dot || (key->key() == Qt::Key_Right && atEnd)) && index < 3) {
        FocusField(index + 1, false);
        return true;
    }
    if (dot)
        return true;
    if ((key->key() == Qt::Key_Left || key->key() == Qt::Key_Backspace) && atStart && index > 0) {
        FocusField(index - 1, true);
        return true;
    }
    return false;
}

void CIPAddressCtrlExt::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        setBackgroundRole(isEnabled() ? QPalette::Base : QPalette::Window);
    QFrame::changeEvent(event);
}
