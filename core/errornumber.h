#pragma once

// The run-time error numbers the system's messages report ("An error, type 5," and "An error
// occurred. Type: 61."): one list for every library, numbered as the original run-time library
// numbered them.

namespace ErrorNumber {
constexpr int InvalidProcedureCall = 5; // "Invalid procedure call or argument"
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int TypeMismatch = 13; // also a damaged table or template
constexpr int FileNotFound = 53;
constexpr int DeviceIo = 57;
constexpr int BadRecordLength = 59;
constexpr int DiskFull = 61;
constexpr int BadRecordNumber = 63;
constexpr int PermissionDenied = 70; // also a file that another program holds
constexpr int PathFileAccess = 75;
} // namespace ErrorNumber
