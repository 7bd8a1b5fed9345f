#pragma once
// The texts a trap log row shows of the tables as they were when its record was logged: the location and name of the
// NE, the entity's place below it, the name of its entity model and the names of its active alarms. They stay with the
// record, so that its row reads the same after the NE is renamed, moved or deleted. The texts are one block shared by
// every copy of the record.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

class CNeRecord;
struct TrapLogRecord;

class CTrapLogTexts {
public:
    enum Field : uint8_t { kLocation, kNe, kSlotPort, kEntityType, kAlarms, kFieldCount };

    // No texts: the record has no row.
    CTrapLogTexts() = default;
    explicit CTrapLogTexts(const std::array<std::string_view, kFieldCount>& fields);

    bool HasRow() const { return block_ != nullptr; }
    // Empty without texts.
    std::string_view Get(Field field) const;
    // The heap the texts take, shared by the copies of a record.
    size_t BlockSize() const { return blockSize_; }

    // The same texts, whichever block holds them.
    bool operator==(const CTrapLogTexts& other) const;

private:
    // The fields in order, each ended by a zero (names hold none).
    std::shared_ptr<const char[]> block_;
    uint32_t blockSize_ = 0;
};

// The texts of a record of the NE by the tables as they are now: the NE's location (the root's when it has none
// known), its name, the entity's place without words, its model's name (empty without a model) and the names of the
// active alarms, empty for a record without alarm bits that has a model. No texts when no alarm can be named: bits are
// set that the entity's model does not define, or the entity has no model and no built-in alarm stands for its types.
CTrapLogTexts MakeTrapLogTexts(const CNeRecord& ne, const TrapLogRecord& record);
