#pragma once
// The entity model of the program: every model of the definition files in id order, the built-in alarms, and the
// [SYSTEM] values of the three files. A loaded set is read-only; a reload builds a new set that replaces the old one
// whole.

#include "core/config/font_spec.h"
#include "core/entity/entity_template.h"
#include "core/entity/entity_type.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A picture of the template file's image list. Decoding is the user interface's: it fills the opaque handle.
struct CEntityImage {
    std::string file; // path as configured, "\" turned into "/"; empty = no picture
    uintptr_t handle = 0;
};

class CEntityModelSet {
public:
    static constexpr size_t kMaxModels = 255;

    // An empty set: no models, the default [SYSTEM] values and built-in alarms.
    CEntityModelSet();

    // Models in id order.
    int GetTypeCount() const { return static_cast<int>(models_.size()); }
    const CEntityType* GetTypeAt(int i) const;
    const CEntityType* FindModel(uint32_t id) const;

    // Indexes 129..132 give the built-in alarms whatever the model id; 0..31 the model's own entry; null otherwise,
    // for an unknown model and for an undefined entry.
    const CEntityAlarmDef* GetAlarmDef(uint32_t modelId, uint8_t index) const;
    const CEntityAlarmDef* GetBuiltinAlarm(uint8_t index) const; // 129..132, null when undefined

    // MAXENTITYLEVEL1..5: the highest number allowed at a level 1..5; 0 for other levels.
    unsigned GetMaxEntityLevel(int level) const;

    // Alarm indexes (state-bit numbers) of the alarm definition file.
    unsigned GetOfflineAlarm() const { return offlineAlarm_; }
    unsigned GetMissingAlarm() const { return missingAlarm_; }
    unsigned GetDisableAlarm() const { return disableAlarm_; }
    unsigned GetSlaveAlarm() const { return slaveAlarm_; }

    // Drawing settings of the template file.
    unsigned GetRoughLevel() const { return roughLevel_; }
    const std::string& GetSelectedMark() const { return selectedMark_; } // an "RL" shape
    const std::vector<CEntityImage>& GetImages() const { return images_; }
    // The handle of image k (1-based, as the shapes name them); 0 when out of range or not loaded.
    uintptr_t GetImageHandle(int k) const;
    void SetImageHandle(int k, uintptr_t handle);
    const std::vector<FontSpec>& GetFonts() const { return fonts_; }
    // Font k (1-based); null when out of range or without a face.
    const FontSpec* GetFont(int k) const;
    // Default component shapes of every template (from shape index 192), empty = none.
    const std::string& GetComponentShape(int component) const;

private:
    friend class CEntityModelBuilder;

    std::vector<std::unique_ptr<CEntityType>> models_;
    std::array<CEntityAlarmDef, 4> builtinAlarms_;
    std::array<unsigned, 5> maxLevels_{1, 9, 99, 99, 99};
    unsigned offlineAlarm_ = 0;
    unsigned missingAlarm_ = 0;
    unsigned disableAlarm_ = 31;
    unsigned slaveAlarm_ = 30;
    unsigned roughLevel_ = 2;
    std::string selectedMark_;
    std::vector<CEntityImage> images_;
    std::vector<FontSpec> fonts_;
    std::array<std::string, kTemplateComponentCount> components_;
};

// The program's entity model. An empty set until one is loaded.
const CEntityModelSet& CurrentEntityModels();
// Replaces the program's entity model whole (null installs an empty set). Call it on the user interface thread while
// no other thread reads the models, as the login does.
void ReplaceEntityModels(std::unique_ptr<CEntityModelSet> models);
// Counts the replacements, so that what is kept from a set (parsed templates) can tell it belongs to an older one.
unsigned EntityModelsGeneration();

// Shortcuts on the program's entity model.
const CEntityType* FindEntityModel(uint32_t id);
const CEntityAlarmDef* GetEntityAlarmDef(uint32_t modelId, uint8_t index);
int GetEntityTypeCount();
const CEntityType* GetEntityTypeAt(int i);
