#pragma once

// The defaults step, as the start-up read runs it first and DEFAULT runs it
// again: the record's fixed values (CRegistry::SetDefaults), the option
// script's volumes and switches, then the first usable display device with
// its listed modes. Touches neither the preserved lines nor the registry.
void ApplyDefaults();
