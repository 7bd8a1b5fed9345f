#include "core/tables/ne_record.h"

#include "core/tables/app_data.h"
#include "core/tables/location_tree.h"
#include "core/util/severity.h"

CNeRecord::CNeRecord(const CNeRecord& other)
    : neId(other.neId), locationId(other.locationId), name(other.name), planned(other.planned), inScope(other.inScope),
      inUse(other.inUse), neModelId(other.neModelId), usedChildCount(other.usedChildCount), address(other.address),
      port(other.port), secondAddress(other.secondAddress), thirdAddress(other.thirdAddress),
      loginUser(other.loginUser), loginPassword(other.loginPassword), community(other.community),
      snmpVersion(other.snmpVersion), autoSync(other.autoSync), longitude(other.longitude), latitude(other.latitude),
      workLongitude(other.workLongitude), workLatitude(other.workLatitude), storedLongitude(other.storedLongitude),
      storedLatitude(other.storedLatitude), newOrMoved(other.newOrMoved), savePending(other.savePending),
      changeCounter(other.changeCounter), stateWord(other.stateWord), neSeverity(other.neSeverity),
      root(other.root ? other.root->Clone() : nullptr)
{
}

CNeRecord& CNeRecord::operator=(const CNeRecord& other)
{
    if (this != &other) {
        CNeRecord* next = next_;
        CNeRecord copy(other);
        neId = copy.neId;
        locationId = copy.locationId;
        name = std::move(copy.name);
        planned = copy.planned;
        inScope = copy.inScope;
        inUse = copy.inUse;
        neModelId = copy.neModelId;
        usedChildCount = copy.usedChildCount;
        address = copy.address;
        port = copy.port;
        secondAddress = copy.secondAddress;
        thirdAddress = copy.thirdAddress;
        loginUser = std::move(copy.loginUser);
        loginPassword = std::move(copy.loginPassword);
        community = std::move(copy.community);
        snmpVersion = copy.snmpVersion;
        autoSync = copy.autoSync;
        longitude = copy.longitude;
        latitude = copy.latitude;
        workLongitude = copy.workLongitude;
        workLatitude = copy.workLatitude;
        storedLongitude = copy.storedLongitude;
        storedLatitude = copy.storedLatitude;
        newOrMoved = copy.newOrMoved;
        savePending = copy.savePending;
        changeCounter = copy.changeCounter;
        stateWord = copy.stateWord;
        neSeverity = copy.neSeverity;
        root = std::move(copy.root);
        next_ = next;
    }
    return *this;
}

CNeRecord::~CNeRecord() = default;

void CNeRecord::BuildEntityTree()
{
    root = CEntityNode::BuildEntityTree(neModelId);
    usedChildCount = 0;
    for (int i = 0; i < root->GetChildCount(); ++i) {
        if (!root->GetChild(i)->IsAbsent()) {
            ++usedChildCount;
        }
    }
}

std::string CNeRecord::GetIpText() const
{
    return FormatIpAddress(address);
}

std::string CNeRecord::GetLocationName(const CLocationTree& tree) const
{
    const CLocationNode* node = tree.FindLocation(locationId);
    return node == nullptr ? std::string() : node->name;
}

std::string CNeRecord::GetLocationName() const
{
    return GetLocationName(AppData().locations);
}

uint32_t CNeRecord::GetSeverityAt(uint32_t entityId) const
{
    if (root == nullptr) {
        return entityId == 1 ? neSeverity : 0;
    }
    const CEntityNode* node = root->FindById(entityId);
    if (node == nullptr || node->IsAbsent()) {
        return 0;
    }
    if (node != root.get()) {
        return node->GetSeverity();
    }
    const uint32_t own = node->GetSeverity();
    return CompareSeverity(static_cast<int>(neSeverity), static_cast<int>(own)) > 0 ? neSeverity : own;
}

void CNeRecord::SetLoginUser(std::string_view text)
{
    loginUser = std::string(text.substr(0, kLoginMax));
}

void CNeRecord::SetLoginPassword(std::string_view text)
{
    loginPassword = std::string(text.substr(0, kLoginMax));
}
