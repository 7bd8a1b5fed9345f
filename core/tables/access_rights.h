#pragma once
// What each operator role may do: one right letter per function of the program, as the management server sends them.
// A role's table holds 127 letters and a terminating zero, so functions 0..126 can be granted and 127 never is.
// Letters from the least to the most: 'q' query, 'm' modify, 'c' create, 'd' delete, 'a' all; anything else is no
// right. Window-free; used on the UI thread.

#include <array>
#include <cstddef>

inline constexpr size_t kRightsTableSize = 128;
inline constexpr int kRightsFunctionCount = 128;
inline constexpr int kRightsRoleCount = 3;

// Function indexes, one name for each function a dialog or command asks about, grouped by area. Each dialog opens
// with the letter of its access mode ('q' show, 'm' modify, 'c' add) and deletes with 'd' unless its line says
// otherwise. Operators edit items 0..59 in the access control list; the higher items keep what the server sends.
// Indexes 7, 60, 61 and 78..126 guard nothing yet.

// Server, operators and locations.
inline constexpr int kRightServerOptions = 0;   // server options, monitoring and date and time; 'm' saves the options
inline constexpr int kRightNeAutoDiscovery = 1; // 'c' adds an address range, 'd' deletes one or ignores found NEs
inline constexpr int kRightDatabaseBackups = 2; // the server's database: 'c' backs up, 'd' deletes, 'x' restores
inline constexpr int kRightMembers = 18;     // server user accounts: the user list and the members in the location tree
inline constexpr int kRightOnlineUsers = 19; // online users; 'x' sends operator mail and forces a logout
inline constexpr int kRightOperationLog = 20;
inline constexpr int kRightLocations = 21;
inline constexpr int kRightSubscribers = 22;

// The NE and its management settings.
// The NE itself: its list, dialog, inventory, clock and boot partition; telnet 'q', delete 'd', and 'x' resets the NE,
// a card or a port, writes or erases its flash and downloads or retrieves its configuration. Setting the server's
// clock asks 'm' on it too.
inline constexpr int kRightNeOperations = 3;
inline constexpr int kRightNeConfigBackups = 4;  // configuration backups over FTP and on the server: 'x' runs them
inline constexpr int kRightNeSnmpManagers = 25;  // trap receivers of the NE
inline constexpr int kRightFirmwareUpgrade = 27; // 'x' upgrades NE and SHDSL firmware over FTP
inline constexpr int kRightMacAging = 33;
inline constexpr int kRightNeSnmpCommunities = 40;  // 'm' also lists the read-write communities
inline constexpr int kRightNeUserAccounts = 48;     // the NE's own login accounts
inline constexpr int kRightNeDnsServers = 52;       // 'm' enables OK
inline constexpr int kRightNeTimeServers = 53;      // 'm' enables Modify
inline constexpr int kRightRedundancy = 54;         // synchronisation of the two control modules
inline constexpr int kRightSecuredHosts = 55;       // address sections allowed to manage the NE, and their on/off state
inline constexpr int kRightCascadedManagement = 65; // the cascaded management subnet of a root NE
inline constexpr int kRightRemoteNes = 66;          // the remote NEs behind a root NE
inline constexpr int kRightNeFileSystemFormat = 67; // 'm' formats a partition
inline constexpr int kRightNeFileSystemFiles = 68;  // the files on the NE's partitions
inline constexpr int kRightTelnetTimeout = 73;
inline constexpr int kRightNeFileSystemCopy = 74; // 'c' copies a code image to the other partition
inline constexpr int kRightCliPrompt = 75;

// Alarms and events.
inline constexpr int kRightActiveAlarms = 9;      // active alarms and the trap log
inline constexpr int kRightHistoryAlarms = 10;    // history alarms and events, statistics
inline constexpr int kRightAlarmTriggers = 23;    // alarm notification triggers
inline constexpr int kRightAlarmDefinitions = 24; // also synchronising them from the templates, 'm'
inline constexpr int kRightAlarmAcknowledge = 26;
inline constexpr int kRightNeAlarmInputs = 34;
inline constexpr int kRightHardwareMonitoring = 59; // hardware monitoring and thresholds
inline constexpr int kRightNeAlarmOutputs = 72;

// Performance monitoring and line diagnostics.
inline constexpr int kRightRateStatus = 14; // current rate status of ADSL and SHDSL ports
inline constexpr int kRightCurrentPm = 15;  // current PM of ADSL and SHDSL ports
inline constexpr int kRightHistoryPm = 16;  // history PM of ADSL and SHDSL ports
inline constexpr int kRightLongTermPm = 17; // long-term PM collection windows of the ports
inline constexpr int kRightTrunkPortPm = 36;
inline constexpr int kRightBitsAllocation = 37;
inline constexpr int kRightLoopTests = 39;   // loop diagnosis, loop monitoring, single-ended loop test: 'm'
inline constexpr int kRightMacSpoofing = 62; // spoofed MAC addresses; 'm' permits one or denies all
inline constexpr int kRightDhcpTransactions = 69;

// Profiles and their templates. On a profile kind 'm' also saves all as templates, downloads to NEs and synchronises
// the NEs from the templates.
inline constexpr int kRightConfigVerification = 6;    // comparing an NE's profiles with the server's templates
inline constexpr int kRightConfigSynchronization = 8; // 'm' sends the differing profiles from the server to the NE
inline constexpr int kRightLineProfiles = 12;         // ADSL and SHDSL line profiles
inline constexpr int kRightPmThresholdProfiles = 13;  // xDSL and SHDSL; the SHDSL line profile list deletes on it too
inline constexpr int kRightMcChannelProfiles = 29;
inline constexpr int kRightIpTrafficProfiles = 41;
inline constexpr int kRightMcServiceProfiles = 42;
inline constexpr int kRightTrafficPolicingProfiles = 57;

// xDSL provisioning.
inline constexpr int kRightBoardSettings = 5;   // planned board types and board settings; OK asks 'm'
inline constexpr int kRightXdslPorts = 11;      // ADSL and SHDSL ports, and the MAC limit of one VLAN
inline constexpr int kRightVlanMembership = 28; // VLAN membership, broadcast VLANs, PVCs; 'x' OAM loopback
// Multicast channels and their IGMP status; 'x' runs a channel's OAM loopback. Adding auto-discovered NEs asks 'c' on
// it too.
inline constexpr int kRightMcChannels = 30;
inline constexpr int kRightFastProvisioning = 31; // xDSL port and VC-to-VLAN fast provisioning
inline constexpr int kRightMcFastProvisioning = 32;
inline constexpr int kRightIgmp = 35; // IGMP snooping and proxy
inline constexpr int kRightIpoaNextHops = 38;
inline constexpr int kRightDhcp = 43;          // DHCP relay, relay servers, option-82 IDs, broadcast control
inline constexpr int kRightSourceMacAcl = 47;  // permitted or denied source MACs of a PVC
inline constexpr int kRightVlanMacLimits = 50; // the list of VLAN MAC limits; 'm' enables Modify
inline constexpr int kRightPppoeSetting = 51;
inline constexpr int kRightPacketFilters = 56; // packet filters and groups, and the NetBIOS filter
inline constexpr int kRightProtocolVlans = 58;
inline constexpr int kRightPppoeSessions = 70;
inline constexpr int kRightFilteringDatabase = 71; // static MAC entries and the filtering database list
inline constexpr int kRightArpProxySetting = 76;
inline constexpr int kRightArpProxyLists = 77; // ARP proxy entries of the xDSL ports and of the trunk ports

// Trunk ports.
inline constexpr int kRightLinkAggregation = 44;
inline constexpr int kRightTrunkPorts = 45;
inline constexpr int kRightSpanningTree = 46;
inline constexpr int kRightCosMapping = 49; // upstream CoS mapping
inline constexpr int kRightSfpInfo = 63;
inline constexpr int kRightTrunkVlans = 64;

using RightsTable = std::array<char, kRightsTableSize>;

// The role's table (0 Administrator, 1 Manager, 2 User); null for any other role. Every table starts empty: all
// rights '-'.
const RightsTable* GetRightsTable(int role);

// Fills the role's table with '-' and copies the text over its start (at most 127 letters). -1 for a bad role or a
// null text, else 0.
int SetUserRights(int role, const char* text);
// The three roles at once, as the server sends them: 0 (a null text leaves that role's table as it was).
int SetAllUserRights(const char* administrator, const char* manager, const char* user);
// All rights '-' in every role, as after start-up and logout.
void ClearUserRights();

// Whether a stored letter grants the wanted one ('q', 'm', 'c', 'd', or 'x' for execute, which only 'a' grants).
bool RightLetterGrants(char stored, char wanted);

// 1 when the role's stored letter at the function index grants the wanted letter ('q', 'm', 'c', 'd', or 'x' for
// execute, which only 'a' grants), else 0. Bad roles, indexes and wanted letters deny.
int CheckUserRight(int role, int function, char wanted);
