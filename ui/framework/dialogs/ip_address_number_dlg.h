#pragma once
// The common part of the two small dialogs that ask for an IP address with a number: an address control (1207), two
// labels (1348, 1349) and a number edit with its up-down control. The caller may set the caption and the label texts
// (at most 63 characters each) before DoModal and reads the address and the number afterwards. OK refuses a blank
// address with "incorrect IP address" and keeps the operator in the dialog.

#include "ui/framework/dialogs/ca_dialog.h"

#include <array>
#include <cstdint>
#include <string>

class CIpAddressNumberDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kAddressId = 1207;
    static constexpr int kFirstLabelId = 1348;
    static constexpr int kSecondLabelId = 1349;
    static constexpr size_t kTextMax = 63;

    const std::array<uint8_t, 4>& GetAddress() const { return address_; }
    void SetAddress(const std::array<uint8_t, 4>& address) { address_ = address; }
    uint32_t GetNumber() const { return number_; }
    void SetNumber(uint32_t number) { number_ = number; }
    // Empty texts keep the template's.
    void SetCaptionText(const char* text) { caption_ = Cut(text); }
    void SetFirstLabel(const char* text) { firstLabel_ = Cut(text); }
    void SetSecondLabel(const char* text) { secondLabel_ = Cut(text); }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

protected:
    CIpAddressNumberDlg(int templateId, int numberId, int spinId, uint32_t minimum, uint32_t maximum, QWidget* parent);
    // Whether the exchange checks the number's range.
    virtual bool ChecksNumberRange() const { return true; }
    // Further checks of an address that is not blank; false refuses it.
    virtual bool AcceptsAddress(const std::array<uint8_t, 4>&) const { return true; }

private:
    static std::string Cut(const char* text);

    int numberId_;
    int spinId_;
    uint32_t minimum_;
    uint32_t maximum_;
    std::array<uint8_t, 4> address_{};
    uint32_t number_ = 1;
    std::string caption_;
    std::string firstLabel_;
    std::string secondLabel_;
};
