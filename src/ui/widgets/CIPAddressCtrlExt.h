#pragma once

#include <QFrame>

#include <array>
#include <cstdint>

class QLineEdit;

// An IPv4 address control: four fields of up to three digits. A change that
// would make a field 256 or more is refused (the field keeps its previous
// value); any other change is normalised ("007" shows "7", a blank field 0).
// '.' or a blank, three digits typed, or Right at the end of a field move to
// the next field; Left at the start or Backspace in an empty position move
// back. Field(i) gives a field for tests (objectName "octet<i>").
class CIPAddressCtrlExt : public QFrame {
    Q_OBJECT
public:
    explicit CIPAddressCtrlExt(QWidget* parent = nullptr);

    std::array<std::uint8_t, 4> Address() const;
    void SetAddress(const std::array<std::uint8_t, 4>& octets);
    // First octet in the high byte.
    std::uint32_t PackedAddress() const;
    void SetPackedAddress(std::uint32_t address);
    // True while every field is empty (a fresh control, or after ClearAddress).
    bool IsBlank() const;
    void ClearAddress();

    QLineEdit* Field(int index) const { return fields_.at(index); }

signals:
    void AddressChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OnFieldEdited(int index);
    void FocusField(int index, bool atEnd);
    bool HandleFieldKey(int index, QKeyEvent* key);

    std::array<QLineEdit*, 4> fields_{};
    std::array<QString, 4> accepted_; // each field's last accepted text
};
