#pragma once
// An IPv4 address control: four number fields of 0..255 that tell a blank address (no field filled in) from
// 0.0.0.0. Typing a dot or a third digit moves to the next field; Backspace in an empty field moves back.

#include <QWidget>

#include <array>
#include <cstdint>

class QLineEdit;

class IpAddressEdit : public QWidget {
    Q_OBJECT
public:
    explicit IpAddressEdit(QWidget* parent = nullptr);

    // True when no field holds a number.
    bool IsBlank() const;
    bool IsFieldBlank(int field) const;
    // The address (blank fields read 0); returns the number of fields that hold a number, 0 for a blank address.
    int GetAddress(std::array<uint8_t, 4>& address) const;
    void SetAddress(const std::array<uint8_t, 4>& address);
    void ClearAddress();
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const;

signals:
    // The address changed, by typing or by a setter.
    void addressChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnFieldEdited(int field);
    std::array<QLineEdit*, 4> fields_{};
    bool readOnly_ = false;
};
