#include "toy/SoundOptionStore.h"

namespace zorrel::toy {

bool SoundOptionStore::Load(bool designDefault) { return designDefault; }

void SoundOptionStore::Store(bool /*soundOn*/) {}

} // namespace zorrel::toy
