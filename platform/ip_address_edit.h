#pragma once
// An IPv4 address control: four number fields of 0..255 that tell a blank address (no field filled in) from
// 0.0.0.0. Typing a dot or a third digit moves to the next field (a dot right after a third digit stays in the field
// that digit moved to); Backspace in an empty field moves back. A field
// that takes the focus, by Tab or by a click, has its number selected, so that typing replaces it, and a number never
// keeps a leading zero ("0" then "1" reads 1), so that a field showing 0 takes three digits before the next field.

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
    // The field a mouse press is giving the focus to: the press selects its number.
    QLineEdit* clickedInto_ = nullptr;
    // The field a third digit moved to, until it is typed into or left: a dot typed there now ends the number before.
    QLineEdit* advancedInto_ = nullptr;
    bool readOnly_ = false;
};
