#pragma once

// The support archive's password: the build's packer encrypts the entries with it and the
// program reads them with it.
inline constexpr char SupportArchivePassword[] = "Marlow";
