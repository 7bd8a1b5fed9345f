#pragma once
// The request codes of the whole system, each named once, after the record it carries or the action it asks for.
// A family's query/modify code has the plain name; its siblings add Add, Delete, DeleteAll and Count. What each code
// carries and how the peers serve it is in the request catalogue (request_catalogue.h).

#include <cstdint>

// The server and its operators.
inline constexpr uint16_t kReqKeepAlive = 1;
inline constexpr uint16_t kReqNeCommand = 2; // a command line for an NE, through the server
inline constexpr uint16_t kReqServerOption = 3;
inline constexpr uint16_t kReqServerTime = 4;
inline constexpr uint16_t kReqServerResource = 7;
inline constexpr uint16_t kReqOperatorMail = 8;
inline constexpr uint16_t kReqUserAccount = 10;
inline constexpr uint16_t kReqLogon = 11;
inline constexpr uint16_t kReqLogoff = 12;
inline constexpr uint16_t kReqUserAccountAdd = 13;
inline constexpr uint16_t kReqUserAccountDelete = 14;
inline constexpr uint16_t kReqUserRights = 15;
inline constexpr uint16_t kReqOpLog = 16;
inline constexpr uint16_t kReqOnlineUser = 18;
inline constexpr uint16_t kReqLocation = 20;
inline constexpr uint16_t kReqLocationAdd = 21;
inline constexpr uint16_t kReqLocationDelete = 22;
inline constexpr uint16_t kReqDiscoveryRange = 25;
inline constexpr uint16_t kReqDiscoveryRangeAdd = 26;
inline constexpr uint16_t kReqDiscoveryRangeDelete = 27;
inline constexpr uint16_t kReqFoundNe = 28;
inline constexpr uint16_t kReqFoundNeDelete = 29;
inline constexpr uint16_t kReqNeKey = 30;
inline constexpr uint16_t kReqNeKeyAdd = 31;
inline constexpr uint16_t kReqNeKeyDelete = 32;
inline constexpr uint16_t kReqNeKeyAll = 33;   // every NE record, at login
inline constexpr uint16_t kReqLoginQuery = 34; // sent at login; its reply is the dispatcher's business
inline constexpr uint16_t kReqAlarmTrigger = 35;
inline constexpr uint16_t kReqAlarmTriggerAdd = 36;
inline constexpr uint16_t kReqAlarmTriggerDelete = 37;
inline constexpr uint16_t kReqServerSchedule = 40;
inline constexpr uint16_t kReqNeBackup = 41;
inline constexpr uint16_t kReqNeBackupAdd = 42;
inline constexpr uint16_t kReqNeBackupDelete = 43;
inline constexpr uint16_t kReqNeBackupRestore = 44;
inline constexpr uint16_t kReqDbBackup = 45;
inline constexpr uint16_t kReqDbBackupAdd = 46;
inline constexpr uint16_t kReqDbBackupDelete = 47;
inline constexpr uint16_t kReqDbBackupRestore = 48;
inline constexpr uint16_t kReqConfigUpload = 50;   // NE to server
inline constexpr uint16_t kReqConfigDownload = 51; // server to NE; also synchronises NE profiles with templates
inline constexpr uint16_t kReqConfigVerify = 52;

// Long-term performance monitoring.
inline constexpr uint16_t kReqLongTermPmItem = 100;
inline constexpr uint16_t kReqLongTermPmItemAdd = 101;
inline constexpr uint16_t kReqLongTermPmItemDelete = 102;
inline constexpr uint16_t kReqLongTermPmCo = 110;
inline constexpr uint16_t kReqLongTermPmRt = 111;

// Profile templates on the server (NE 0).
inline constexpr uint16_t kReqAdslLineProfileTemplate = 120;
inline constexpr uint16_t kReqAdslLineProfileTemplateAdd = 121;
inline constexpr uint16_t kReqAdslLineProfileTemplateDelete = 122;
inline constexpr uint16_t kReqAdslLineProfileTemplateDeleteAll = 123;
inline constexpr uint16_t kReqPmThresholdProfileTemplate = 124;
inline constexpr uint16_t kReqPmThresholdProfileTemplateAdd = 125;
inline constexpr uint16_t kReqPmThresholdProfileTemplateDelete = 126;
inline constexpr uint16_t kReqPmThresholdProfileTemplateDeleteAll = 127;
inline constexpr uint16_t kReqIpTrafficProfileTemplate = 128;
inline constexpr uint16_t kReqIpTrafficProfileTemplateAdd = 129;
inline constexpr uint16_t kReqIpTrafficProfileTemplateDelete = 130;
inline constexpr uint16_t kReqIpTrafficProfileTemplateDeleteAll = 131;
inline constexpr uint16_t kReqMcChannelProfileTemplate = 132;
inline constexpr uint16_t kReqMcChannelProfileTemplateAdd = 133;
inline constexpr uint16_t kReqMcChannelProfileTemplateDelete = 134;
inline constexpr uint16_t kReqMcChannelProfileTemplateDeleteAll = 135;
inline constexpr uint16_t kReqMcServiceProfileTemplate = 136;
inline constexpr uint16_t kReqMcServiceProfileTemplateAdd = 137;
inline constexpr uint16_t kReqMcServiceProfileTemplateDelete = 138;
inline constexpr uint16_t kReqMcServiceProfileTemplateDeleteAll = 139;
inline constexpr uint16_t kReqTrafficPolicingProfileTemplate = 140;
inline constexpr uint16_t kReqTrafficPolicingProfileTemplateAdd = 141;
inline constexpr uint16_t kReqTrafficPolicingProfileTemplateDelete = 142;
inline constexpr uint16_t kReqTrafficPolicingProfileTemplateDeleteAll = 143;
inline constexpr uint16_t kReqAlarmDefTemplate = 145;
inline constexpr uint16_t kReqShdslLineProfileTemplate = 150;
inline constexpr uint16_t kReqShdslLineProfileTemplateAdd = 151;
inline constexpr uint16_t kReqShdslLineProfileTemplateDelete = 152;
inline constexpr uint16_t kReqShdslLineProfileTemplateDeleteAll = 153;
inline constexpr uint16_t kReqShdslPmThresholdProfileTemplate = 154;
inline constexpr uint16_t kReqShdslPmThresholdProfileTemplateAdd = 155;
inline constexpr uint16_t kReqShdslPmThresholdProfileTemplateDelete = 156;
inline constexpr uint16_t kReqShdslPmThresholdProfileTemplateDeleteAll = 157;

// ARP proxy, cascaded management, remote NEs.
inline constexpr uint16_t kReqArpProxyEntry = 158;
inline constexpr uint16_t kReqArpProxy = 159;
inline constexpr uint16_t kReqCascadedMgmt = 161;
inline constexpr uint16_t kReqRemoteNe = 162;
inline constexpr uint16_t kReqRemoteNeAdd = 163;
inline constexpr uint16_t kReqRemoteNeDelete = 164;
inline constexpr uint16_t kReqRemoteNeCount = 165;

// The NE's own system functions.
inline constexpr uint16_t kReqNeTime = 300;
inline constexpr uint16_t kReqNeFwUpgrade = 301;
inline constexpr uint16_t kReqMacAging = 302;
inline constexpr uint16_t kReqNeConfig = 303;
inline constexpr uint16_t kReqNeSnmpManager = 304;
inline constexpr uint16_t kReqNeSnmpManagerAdd = 305;
inline constexpr uint16_t kReqNeSnmpManagerDelete = 306;
inline constexpr uint16_t kReqNeSnmpCommunity = 307;
inline constexpr uint16_t kReqNeSnmpCommunityAdd = 308;
inline constexpr uint16_t kReqNeSnmpCommunityDelete = 309;
inline constexpr uint16_t kReqNeBootPartition = 310;
inline constexpr uint16_t kReqNeDns = 311;
inline constexpr uint16_t kReqNeTimeServer = 312;
inline constexpr uint16_t kReqNeTimeAdjust = 313;
inline constexpr uint16_t kReqRedundancySync = 314;
inline constexpr uint16_t kReqRedundancySyncNow = 315;
inline constexpr uint16_t kReqNeUserAccount = 316;
inline constexpr uint16_t kReqNeUserAccountAdd = 317;
inline constexpr uint16_t kReqNeUserAccountDelete = 318;
inline constexpr uint16_t kReqSecuredHost = 319;
inline constexpr uint16_t kReqSecuredHostState = 320;
inline constexpr uint16_t kReqNetBiosFilter = 321;
inline constexpr uint16_t kReqShdslCardUpgrade = 322;
inline constexpr uint16_t kReqBoardSetting = 323;
inline constexpr uint16_t kReqTelnetTimeout = 324;
inline constexpr uint16_t kReqEntityState = 325;
inline constexpr uint16_t kReqAlarmDef = 327;
inline constexpr uint16_t kReqAlarmEvent = 328; // server: alarm and event query; direct: a page of the NE's alarm log
inline constexpr uint16_t kReqNeAlarmLog = 329; // direct: the first page of the NE's alarm log
inline constexpr uint16_t kReqEntityStateChange = 330; // a notification only
inline constexpr uint16_t kReqAlarmStatistics = 331;
inline constexpr uint16_t kReqAlarmSync = 332;
inline constexpr uint16_t kReqAlarmAck = 333;
inline constexpr uint16_t kReqNotificationsOn = 334;
inline constexpr uint16_t kReqNeAlarmInput = 336;
inline constexpr uint16_t kReqHwMonitor = 337;
inline constexpr uint16_t kReqHwMonThreshold = 338;
inline constexpr uint16_t kReqNeAlarmOutput = 339;
inline constexpr uint16_t kReqNeReboot = 340;
inline constexpr uint16_t kReqCardReset = 341;
inline constexpr uint16_t kReqPortReset = 342;
inline constexpr uint16_t kReqFlashWrite = 343;
inline constexpr uint16_t kReqOamLoopback = 344;
inline constexpr uint16_t kReqNeSnmpCheck = 345;
inline constexpr uint16_t kReqNePing = 346;
inline constexpr uint16_t kReqFlashErase = 347;
inline constexpr uint16_t kReqNeFsFormat = 360;
inline constexpr uint16_t kReqNeFsFile = 361;
inline constexpr uint16_t kReqNeFsCopy = 362;
inline constexpr uint16_t kReqNeUserAccountCount = 363;
inline constexpr uint16_t kReqNeSnmpManagerCount = 364;
inline constexpr uint16_t kReqNeSnmpCommunityCount = 365;

// Subscribers, PVCs and the ATM layer.
inline constexpr uint16_t kReqSubscriber = 400;
inline constexpr uint16_t kReqSubscriberAdd = 401;
inline constexpr uint16_t kReqSubscriberDelete = 402;
inline constexpr uint16_t kReqPvc = 410;
inline constexpr uint16_t kReqPvcAdd = 411;
inline constexpr uint16_t kReqPvcDelete = 412;
inline constexpr uint16_t kReqPvcRuleCheck = 413;
inline constexpr uint16_t kReqIpTrafficRuleCheck = 414;
inline constexpr uint16_t kReqTrafficPolicingRuleCheck = 415;
inline constexpr uint16_t kReqVlanMacLimitCheck = 416;
inline constexpr uint16_t kReqServiceTypeCheck = 417;
inline constexpr uint16_t kReqPvcRowStatus = 418;
inline constexpr uint16_t kReqPvcStaticIp = 420;
inline constexpr uint16_t kReqPvcStaticIpAdd = 421;
inline constexpr uint16_t kReqPvcStaticIpDelete = 422;
inline constexpr uint16_t kReqNextHop = 425;
inline constexpr uint16_t kReqNextHopAdd = 426;
inline constexpr uint16_t kReqNextHopDelete = 427;
inline constexpr uint16_t kReqNextHopCount = 428;

// NE profiles.
inline constexpr uint16_t kReqIpTrafficProfile = 430;
inline constexpr uint16_t kReqIpTrafficProfileAdd = 431;
inline constexpr uint16_t kReqIpTrafficProfileDelete = 432;
inline constexpr uint16_t kReqIpTrafficProfileCount = 435;
inline constexpr uint16_t kReqMcChannelProfile = 440;
inline constexpr uint16_t kReqMcChannelProfileAdd = 441;
inline constexpr uint16_t kReqMcChannelProfileDelete = 442;
inline constexpr uint16_t kReqMcChannelProfileCount = 444;
inline constexpr uint16_t kReqMcServiceProfile = 450;
inline constexpr uint16_t kReqMcServiceProfileAdd = 451;
inline constexpr uint16_t kReqMcServiceProfileDelete = 452;
inline constexpr uint16_t kReqMcServiceProfileCount = 454;
inline constexpr uint16_t kReqTrafficPolicingProfile = 460;
inline constexpr uint16_t kReqTrafficPolicingProfileAdd = 461;
inline constexpr uint16_t kReqTrafficPolicingProfileDelete = 462;
inline constexpr uint16_t kReqTrafficPolicingProfileCount = 464;

// Multicast, bridging, DHCP, PPPoE, ACLs and VLANs.
inline constexpr uint16_t kReqMcChannel = 470;
inline constexpr uint16_t kReqMcChannelAdd = 471;
inline constexpr uint16_t kReqMcChannelDelete = 472;
inline constexpr uint16_t kReqStaticFdb = 478;
inline constexpr uint16_t kReqStaticFdbDelete = 479;
inline constexpr uint16_t kReqFdb = 480;
inline constexpr uint16_t kReqVlanMembership = 481;
inline constexpr uint16_t kReqStaticFdbAdd = 482;
inline constexpr uint16_t kReqFdbDelete = 483;
inline constexpr uint16_t kReqAclCheck = 484;
inline constexpr uint16_t kReqMacSpoof = 485;
inline constexpr uint16_t kReqMacSpoofAction = 486;
inline constexpr uint16_t kReqMacSpoofCheck = 487;
inline constexpr uint16_t kReqMcGroupMember = 490;
inline constexpr uint16_t kReqMcChannelStatus = 491;
inline constexpr uint16_t kReqIgmpSnooping = 493;
inline constexpr uint16_t kReqIgmpProxy = 494;
inline constexpr uint16_t kReqIgmpSetting = 495;
inline constexpr uint16_t kReqDhcp = 500;
inline constexpr uint16_t kReqDhcpAgentId = 501;
inline constexpr uint16_t kReqDhcpRelayServer = 502;
inline constexpr uint16_t kReqDhcpRelayServerAdd = 503;
inline constexpr uint16_t kReqDhcpRelayServerDelete = 504;
inline constexpr uint16_t kReqDhcpBroadcast = 505;
inline constexpr uint16_t kReqDhcpTransaction = 506;
inline constexpr uint16_t kReqDhcpRelayServerCount = 507;
inline constexpr uint16_t kReqPppoe = 510;
inline constexpr uint16_t kReqPppoeSession = 511;
inline constexpr uint16_t kReqAcl = 520;
inline constexpr uint16_t kReqAclAdd = 521;
inline constexpr uint16_t kReqAclDelete = 522;
inline constexpr uint16_t kReqVlanMacLimit = 530;
inline constexpr uint16_t kReqProtocolVlan = 540;
inline constexpr uint16_t kReqProtocolVlanAdd = 541;
inline constexpr uint16_t kReqProtocolVlanDelete = 542;
inline constexpr uint16_t kReqProtocolVlanState = 543;

// ADSL lines and their profiles.
inline constexpr uint16_t kReqAdslPmCo = 600;
inline constexpr uint16_t kReqAdslPmRt = 601;
inline constexpr uint16_t kReqAdslBlockCo = 602;
inline constexpr uint16_t kReqAdslBlockRt = 603;
inline constexpr uint16_t kReqAdslHistoryCo = 616;
inline constexpr uint16_t kReqAdslHistoryRt = 617;
inline constexpr uint16_t kReqAdslPort = 630;
inline constexpr uint16_t kReqPktFilter = 635;
inline constexpr uint16_t kReqPktFilterGroup = 636;
inline constexpr uint16_t kReqAdslLineProfile = 640;
inline constexpr uint16_t kReqAdslLineProfileAdd = 641;
inline constexpr uint16_t kReqAdslLineProfileDelete = 642;
inline constexpr uint16_t kReqAdslLineProfileCount = 644;
inline constexpr uint16_t kReqPmThresholdProfile = 650;
inline constexpr uint16_t kReqPmThresholdProfileAdd = 651;
inline constexpr uint16_t kReqPmThresholdProfileDelete = 652;
inline constexpr uint16_t kReqPmThresholdProfileCount = 654;
inline constexpr uint16_t kReqAdslRateStatus = 661;
inline constexpr uint16_t kReqBitsAlloc = 662;
inline constexpr uint16_t kReqLoopDiagCtrl = 663;
inline constexpr uint16_t kReqLoopDiagResult = 664;
inline constexpr uint16_t kReqLoopMonCtrl = 665;
inline constexpr uint16_t kReqLoopMonResult = 666;
inline constexpr uint16_t kReqSeltCtrl = 667;
inline constexpr uint16_t kReqSeltResult = 668;
inline constexpr uint16_t kReqAdslPowerState = 669;
inline constexpr uint16_t kReqBroadcastVlan = 670;

// Trunk ports.
inline constexpr uint16_t kReqTrunkPm = 700;
inline constexpr uint16_t kReqTrunkPort = 710;
inline constexpr uint16_t kReqLinkAggregation = 711;
inline constexpr uint16_t kReqLacpStatus = 712;
inline constexpr uint16_t kReqStaticLinkAggregation = 713;
inline constexpr uint16_t kReqRstpBridge = 714;
inline constexpr uint16_t kReqRstpPort = 715;
inline constexpr uint16_t kReqCosMapping = 716;
inline constexpr uint16_t kReqTrunkPortMode = 717;
inline constexpr uint16_t kReqSfp = 720;
inline constexpr uint16_t kReqTrunkVlan = 725;
inline constexpr uint16_t kReqTrunkVlanMember = 726;

// SHDSL lines and their profiles.
inline constexpr uint16_t kReqShdslLineProfile = 800;
inline constexpr uint16_t kReqShdslLineProfileAdd = 801;
inline constexpr uint16_t kReqShdslLineProfileDelete = 802;
inline constexpr uint16_t kReqShdslPmThresholdProfile = 804;
inline constexpr uint16_t kReqShdslPmThresholdProfileAdd = 805;
inline constexpr uint16_t kReqShdslPmThresholdProfileDelete = 806;
inline constexpr uint16_t kReqShdslPort = 808;
inline constexpr uint16_t kReqShdslRateStatus = 809;
inline constexpr uint16_t kReqShdslPm = 810;
inline constexpr uint16_t kReqShdslHistory = 811;
inline constexpr uint16_t kReqShdslProfileCount = 812; // both SHDSL profile kinds

// The NE's network configuration and CLI prompt.
inline constexpr uint16_t kReqNeNetworkConfig = 900;
inline constexpr uint16_t kReqCliPrompt = 901;
inline constexpr uint16_t kReqCliPromptDual = 902;

// The simulated management server's test control (served with --test-control only); the program never sends it.
inline constexpr uint16_t kReqSimControl = 9000;
