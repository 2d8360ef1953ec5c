// What this build of the player contains. The compact edition
// (LUMETTO_COMPACT) is built from the same sources without the media keys
// and the memory slots.
#pragma once

#if defined(LUMETTO_COMPACT)
#define LUMETTO_MEDIA_KEYS 0
#define LUMETTO_MEMORY_SLOTS 0
#else
#define LUMETTO_MEDIA_KEYS 1
#define LUMETTO_MEMORY_SLOTS 1
#endif
