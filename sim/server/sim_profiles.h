// The xDSL profiles the simulated server keeps: the templates of each kind (NE 0) and every NE's own profiles, in the
// generic store, with the limits of their tables. A write of an NE's profile (the base code, operation 2) puts it in
// place whether the NE has it or not, as a template download does; an add refuses a name that is taken; both refuse
// a profile that the table has no room for. The synchronisation of an NE with the templates (request 51) makes the
// NE's profiles of each chosen class those of the templates, and the verification (request 52) says which classes
// are the same on both.
#pragma once

#include <cstdint>

#include "link/records/profile_sync_rec.h"
#include "sim/server/generic_record_store.h"
#include "sim/server/sim_result.h"

class CSimNe;

// One kind of profile: its template and NE families, the most profiles a table holds and the class of
// ProfileSyncRec (1 line, 2 PM threshold, 3 multicast channel, 4 multicast service, 5 IP traffic; 0 none).
struct SimProfileKind {
    uint16_t templateCode = 0;
    uint16_t neCode = 0;
    uint32_t limit = 0;
    int syncClass = 0;
    uint16_t countCode = 0; // the count asked before an add
};

// The kind whose template or NE family a code belongs to (any of its query, add, delete and delete-all codes); null
// for other codes.
const SimProfileKind* FindSimProfileKind(uint16_t code);
// Whether the code is the count of a kind (both SHDSL kinds have the same one).
bool IsSimProfileCount(uint16_t code);

// The reason a full table refuses a profile.
inline constexpr char kSimProfileTableFull[] = "Profile table is full";

class CSimProfiles {
public:
    explicit CSimProfiles(CGenericRecordStore& store) : store_(store) {}

    // What the count `countCode` answers at the NE: the fuller of the tables of the kinds that ask it, the NE's
    // profiles, or at NE 0 the templates, so that an editor of templates with no NE in its target counts them.
    uint32_t Count(uint16_t countCode, uint32_t neId) const;
    // One request of a profile family for the NE (0: the templates).
    GenericReply Handle(const SimProfileKind& kind, uint16_t code, uint8_t operation, uint32_t neId,
                        const uint8_t* records, uint32_t count, uint32_t recordSize);

    // The NE's profiles of every class chosen by a word of 1 become the templates of that class, its alarm
    // definitions those the templates give its NE model.
    void Synchronise(CSimNe& ne, const ProfileSyncRec& chosen);
    // 1 for each class whose profiles are the same on the NE as in the templates.
    ProfileSyncRec Compare(const CSimNe& ne) const;

private:
    // A write of the base code: profiles the table has are changed, the others added.
    GenericReply Write(const SimProfileKind& kind, uint16_t familyCode, uint32_t neId, const uint8_t* records,
                       uint32_t count, uint32_t recordSize);
    // Refused when adding `added` profiles leaves more than the kind's limit in the family.
    bool HasRoom(const SimProfileKind& kind, uint16_t familyCode, uint32_t neId, uint32_t added) const;
    bool SameAsTemplates(const SimProfileKind& kind, uint32_t neId) const;
    bool AlarmDefsSameAsTemplates(const CSimNe& ne) const;

    CGenericRecordStore& store_;
};
