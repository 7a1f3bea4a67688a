// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application manifest that asks the platform for the modern common-controls look.
#include "shared/file_io.h"

#include <filesystem>
#include <string>

namespace tallisto {

// The manifest's 21 lines, each ended by CR LF.
std::string xpManifestText();

// Writes the manifest to path, whole or not at all.
IoResult WriteXpManifest(const std::filesystem::path& path,
                         const FileWriter& write = writeFileAtomically);

} // namespace tallisto
