#pragma once
// One entity model (an NE, shelf, module or port type) of the entity definition files: what it is, what its child
// positions accept, its alarm definitions and its drawing templates. Built by the entity model loader, then read-only.

#include "core/entity/entity_alarm_def.h"
#include "core/entity/entity_template.h"
#include "core/entity/entity_type_ids.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One child position of a model.
struct CEntityChildDef {
    uint32_t fixedType = kEntityTypeUnknown; // CHILDTYPELIST: a model id, absent, kept empty (1) or any
    std::string name;                        // CHILDNAMELIST, 1..19 characters
    uint32_t emptyType = kEntityTypeEmpty;   // CHILDEMPTY: model drawn for an empty or unknown child; 1 = none
    uint32_t voidType = kEntityTypeEmpty;    // CHILDVOID: model drawn for an absent child; 1 = none
    uint8_t redundant = 0;                   // CHILDREDUNDANT
    uint8_t delegate = 0;                    // CHILDDELEGATELIST, 0-based
    std::array<uint8_t, 4> classes{0xFF, 0xFF, 0xFF, 0xFF}; // SUBPROVCLASS, ended by 0xFF when fewer than four
};

class CEntityType {
public:
    static constexpr size_t kMaxNameLength = 63;      // NAME and NOTE
    static constexpr size_t kMaxChildNameLength = 19; // CHILDNAMELIST entries
    static constexpr int kIconStateCount = 11;        // ICONLIST display states 0..10

    explicit CEntityType(uint32_t id) : id_(id) {}

    uint32_t GetId() const { return id_; }
    // The NE model the model belongs to; 1 or 0x7FFFFFFF for none (matches every NE).
    uint32_t GetNeModelId() const { return neModelId_; }
    const std::string& GetName() const { return name_; }
    const std::string& GetNote() const { return note_; }
    // "name (note)", or the name alone when there is no note.
    std::string GetDisplayName() const;
    uint8_t GetLevel() const { return level_; }         // 1 NE, 2 shelf, 3 module, 4 port, 5 fifth level
    uint8_t GetMenuClass() const { return menuClass_; } // popup of the entity popup menu
    uint8_t GetProvClass() const { return provClass_; } // provisioning ("model-class") byte
    uint8_t GetChildCount() const { return static_cast<uint8_t>(children_.size()); }
    uint8_t GetFlags() const { return flags_; }
    const std::string& GetSysObjectId() const { return sysObjectId_; }

    // The model's own list-icon index.
    unsigned GetIcon() const { return icon_; }
    // The list-icon index of a display state 0..10 (ICONLIST); any other state gives 27 for an NE model, else 0.
    unsigned GetStateIcon(int displayState) const;

    // Per child position, from 0. Outside 0..child count - 1 the position does not exist.
    uint32_t GetChildFixedType(int position) const;     // kEntityTypeAbsent when it does not exist
    uint32_t GetChildVoid(int position) const;          // 1 when it does not exist
    uint32_t GetChildEmpty(int position) const;         // 1 when it does not exist
    uint8_t GetChildRedundant(int position) const;      // 0 when it does not exist
    int GetChildDelegate(int position) const;           // 0-based; the position itself when it does not exist
    const char* GetChildName(int position) const;       // null when it does not exist
    const uint8_t* GetChildClasses(int position) const; // four bytes, 0xFF ends them; null when it does not exist
    bool SlotAcceptsClass(int position, uint8_t provClass) const;
    const CEntityChildDef* GetChild(int position) const;

    // Alarm definition 0..31; null when out of range or undefined.
    const CEntityAlarmDef* GetAlarmDef(int index) const;

    // Drawing templates; see TemplateIndex for how severity and state are taken.
    bool HasTemplates() const { return !templates_.empty(); }
    const CEntityTemplate* GetTemplate(int severity, int state) const; // null without templates
    const CTemplateSize* GetTemplateSize(int severity, int state) const;
    int GetTemplateFit(int severity, int state) const; // kTemplateFitA without templates
    int GetTemplateShapeCount(int severity, int state) const;
    const std::string* GetTemplateShape(int severity, int state, int shapeIndex) const;
    int GetTemplateRectCount(int severity, int state) const;
    const CTemplateRect* GetTemplateRect(int severity, int state, int rectIndex) const;

private:
    friend class CEntityModelBuilder;

    uint32_t id_;
    uint32_t neModelId_ = kEntityTypeUnknown;
    std::string name_;
    std::string note_;
    uint8_t level_ = 0;
    uint8_t menuClass_ = 0;
    uint8_t provClass_ = 0;
    uint8_t flags_ = 0;
    std::string sysObjectId_;
    unsigned icon_ = 0;
    std::array<unsigned, kIconStateCount> stateIcons_{};
    std::vector<CEntityChildDef> children_;
    std::array<CEntityAlarmDef, kEntityAlarmCount> alarms_{};
    // None without a skin section, else one per (severity, state) by TemplateIndex; templates that come from the same
    // keys are equal and held once.
    std::vector<std::shared_ptr<const CEntityTemplate>> templates_;
};
