#pragma once

// Win32 values the platform services share. Names follow the system's own
// constants so that a reader can look them up; the values are the system's.

#include <cstdint>

namespace velmoran::platform {

// An opaque handle: a file, a snapshot, a module, a window. Zero and
// kInvalidHandle mean "none" as they do for the Win32 call that returns it.
using Handle = std::uintptr_t;
inline constexpr Handle kInvalidHandle = static_cast<Handle>(-1);  // INVALID_HANDLE_VALUE

// System error codes (GetLastError).
inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorNoMoreFiles = 18;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorHandleDiskFull = 39;
inline constexpr std::uint32_t kErrorFileExists = 80;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kErrorDiskFull = 112;
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;
inline constexpr std::uint32_t kErrorInvalidName = 123;
inline constexpr std::uint32_t kErrorModNotFound = 126;
inline constexpr std::uint32_t kErrorProcNotFound = 127;
inline constexpr std::uint32_t kErrorAlreadyExists = 183;
inline constexpr std::uint32_t kErrorFilenameExcedRange = 206;
inline constexpr std::uint32_t kErrorDirectory = 267;
inline constexpr std::uint32_t kErrorCancelled = 1223;
inline constexpr std::uint32_t kErrorNoPackage = 15700;  // APPMODEL_ERROR_NO_PACKAGE

// The longest path the classic Win32 file calls accept (MAX_PATH minus the terminator).
inline constexpr std::size_t kMaxPathLength = 259;
// The longest folder path CreateDirectoryW accepts: MAX_PATH less room for an
// 8.3 file name inside it (ERROR_FILENAME_EXCED_RANGE beyond).
inline constexpr std::size_t kMaxDirectoryPathLength = 247;

}  // namespace velmoran::platform
