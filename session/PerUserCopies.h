#pragma once

#include <string>
#include <vector>

#include "settings/SettingsRecord.h"

class ClientSavedFile;
class Findings;
struct SaveReport;

// The per-user copies that Windows keeps for a virtualized client (see
// platform/VirtualStore.h) of the saved option file and of the product
// key's values: the client reads them instead of what the tool saves.

// Where a setting of that origin was read: the per-user copy of the saved
// file or of the product key, as the tool names it; "" for other origins.
std::string PerUserCopyPlace(SettingOrigin origin);

// Notes each copy, and each setting or value where it differs from what
// it hides.
void CheckPerUserCopies(Findings& findings);

// Whether the client reads any copy: of the saved file or of a value.
bool AnyPerUserCopy(const ClientSavedFile& client);

// What a save would remove, told before it is made: a note for the copy of
// the saved file and one for the copies of the values; none without copies.
std::vector<std::string> PerUserCopiesASaveRemoves();

// After a save that wrote the file and the key: removes their copies, so
// that the client reads the save. Notes every copy removed; one that could
// not be is a failure, since the client then does not read the save.
void ResolvePerUserCopies(SaveReport& report, const ClientSavedFile& client);
