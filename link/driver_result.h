// Driver result codes: 0 for success, 32001..32029 for the driver's failures, each with a fixed text.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int kDrvOk = 0;
inline constexpr int kDrvNotInitialised = 32001;
inline constexpr int kDrvInvalidParameter = 32002;
inline constexpr int kDrvMemoryInsufficient = 32003;
inline constexpr int kDrvNotConnected = 32004;
inline constexpr int kDrvConnectFailed = 32005;
inline constexpr int kDrvConnectTimeout = 32006;
inline constexpr int kDrvConnectionClosed = 32007;
inline constexpr int kDrvSendFailed = 32008;
inline constexpr int kDrvReceiveFailed = 32009;
inline constexpr int kDrvInvalidFormat = 32010;
inline constexpr int kDrvMessageTooLong = 32011;
inline constexpr int kDrvNoFreeSlot = 32012;
inline constexpr int kDrvBusy = 32013;
inline constexpr int kDrvLoginFailed = 32014;
inline constexpr int kDrvNotLoggedIn = 32015;
inline constexpr int kDrvNotSupported = 32016;
inline constexpr int kDrvUnexpectedReply = 32017;
inline constexpr int kDrvCancelled = 32018;
inline constexpr int kDrvTimeout = 32019;
inline constexpr int kDrvRejected = 32020;
inline constexpr int kDrvNeNotReachable = 32021;
inline constexpr int kDrvSnmpTooBig = 32022;
inline constexpr int kDrvSnmpNoSuchName = 32023;
inline constexpr int kDrvSnmpBadValue = 32024;
inline constexpr int kDrvSnmpReadOnly = 32025;
inline constexpr int kDrvSnmpGeneralError = 32026;
inline constexpr int kDrvSnmpDecodeError = 32027;
inline constexpr int kDrvTextReply = 32028;
inline constexpr int kDrvUnknownError = 32029;

inline constexpr int kDrvFirstError = kDrvNotInitialised;
inline constexpr int kDrvLastError = kDrvUnknownError;

// The fixed text of a result code; codes outside the table read as "unknown error".
const char* GetDriverErrorText(int code);

// A far end's status word as a result code: 0 stays 0, 32001..32029 are kept, anything else is "request rejected".
int DriverResultFromStatus(uint32_t status);

// The text of the failure message box: the caller's failure text, a blank line, then "(code) error text".
std::string ComposeFailureMessage(const std::string& failureText, int code, const std::string& errorText);
