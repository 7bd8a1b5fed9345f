#pragma once
// CNeSystemInfoPage ("System Information", template 382): the NE's MIB-II system group as the NE reports it in its
// configuration record. Contact person, system name and location / place can be changed; the rest is the NE's. The
// page holds the texts for its container, which fills it from the record and writes the changed texts back.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Ui {
class CNeSystemInfoPage;
}
struct NeConfigRecord;

struct NeSystemTexts {
    QString description;
    QString objectId;
    QString upTime;
    QString contact;
    QString sysName;
    QString place;
    QString services;
};

class CNeSystemInfoPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 382;
    static constexpr int kDescriptionId = 1132;
    static constexpr int kObjectIdId = 1199;
    static constexpr int kUpTimeId = 1343;
    static constexpr int kContactId = 1232;
    static constexpr int kSysNameId = 1257;
    static constexpr int kPlaceId = 1214;
    static constexpr int kServicesId = 1361;

    explicit CNeSystemInfoPage(QWidget* parent = nullptr);
    ~CNeSystemInfoPage() override;

    const NeSystemTexts& Texts() const { return texts_; }
    // The texts of a configuration record, as the page shows them.
    void SetTexts(const NeConfigRecord& config);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    std::unique_ptr<Ui::CNeSystemInfoPage> ui_;
    NeSystemTexts texts_;
};

// The offered services as the page shows them: "Layer" and " N," for each layer whose bit is set (bit i: layer i + 1),
// the last comma left out.
QString OfferedServicesText(uint8_t services);
