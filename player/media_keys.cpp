#include "player/media_keys.h"

#include "mediakeys/quistel.h"

namespace {

const MediaKeySource kQuistel = {&setHook, &getKeyCD, &IsUpdate};
const MediaKeySource* g_pSource = &kQuistel;

}  // namespace

const MediaKeySource& CurrentMediaKeySource() { return *g_pSource; }

void SetMediaKeySourceSeam(const MediaKeySource* pSource) { g_pSource = pSource ? pSource : &kQuistel; }
