#pragma once
// CMapSettingDlg ("Map Setting", template 336): shows, adds or modifies one geographic map: its id, name, picture file
// and the longitude and latitude bounds the picture covers, with a preview of the picture. It sends nothing and writes
// no file; the Map page of the Client Options dialog fills it, runs it and keeps what it gives back:
//
//     CMapSettingDlg dlg(this);
//     dlg.SetAccessMode(kAccessCreate);
//     dlg.SetIdsInUse(ids);                    // the other maps' ids
//     if (dlg.DoModal() == IDOK)
//         rows.Put(dlg.GetMap());
//
// The access mode decides what may change: show (1) changes nothing, modify (2) everything but the id, add (4) all.

#include "core/map/map_def.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace Ui {
class CMapSettingDlg;
}

class CMapSettingDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 336;
    static constexpr int kMapIdId = 1199;
    static constexpr int kMapIdSpinId = 1202;
    static constexpr int kNameId = 1257;
    static constexpr int kFileId = 1258;
    static constexpr int kBrowseId = 1166;
    static constexpr int kNorthId = 1203;
    static constexpr int kWestId = 1205;
    static constexpr int kEastId = 1208;
    static constexpr int kSouthId = 1210;
    static constexpr int kPreviewId = 1192;
    static constexpr size_t kMaxIdsInUse = 100;
    static constexpr size_t kFileNameMax = 127;

    explicit CMapSettingDlg(QWidget* parent = nullptr);
    ~CMapSettingDlg() override;

    // The map shown; a new dialog holds map 1 without name or file, with the world map's bounds.
    void SetMap(const CMapDef& map);
    CMapDef GetMap() const;
    // The ids of the other maps, which the map may not take (the first 100; a 0 ends the list).
    void SetIdsInUse(const std::vector<uint32_t>& ids);

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnDestroy() override;

    // The preview, drawn from the file name in the edit; empty when the file is no picture that can be read.
    void DrawPreview();
    bool HasPreview() const;
    void OnBrowse();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsIdInUse(uint32_t id) const;

    std::unique_ptr<Ui::CMapSettingDlg> ui_;
    uint32_t mapId_ = 1;
    QString name_;
    QString file_;
    float west_ = kWorldWest;
    float east_ = kWorldEast;
    float north_ = kWorldNorth;
    float south_ = kWorldSouth;
    std::vector<uint32_t> idsInUse_;
};
