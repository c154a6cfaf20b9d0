#pragma once

// The accounts the store is reached with: the program's own user, and the
// administrator the structure upgrade runs as.
namespace StoreCredentials {
inline constexpr const char *kUser = "brivane";
inline constexpr const char *kPassword = "tombfrel";
inline constexpr const char *kAdminUser = "sysdba";
inline constexpr const char *kAdminPassword = "quillbent";
} // namespace StoreCredentials
