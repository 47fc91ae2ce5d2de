// Arbitrary bytes as a sound archive, and as a bare wave image: loading either succeeds or reports an
// error, never more. Loaded items are made into mixer buffers, played past their voice limits, mixed
// and written back, so the wave fields and the playback rules see hostile values too.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/sound/DXWaveList.h"
#include "platform/Error.h"
#include "platform/Mixer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mv::Mixer mixer(8000);
  {
    mv::TWave wave;
    try {
      wave.loadFromImage({data, size});
      mv::TWave back;
      back.loadFromImage(wave.saveToImage());
      if (back.format != wave.format || back.data != wave.data) __builtin_trap();
      (void)wave.milliseconds();
    } catch (const mv::Error&) {
    }
  }

  mv::TDXWaveList list(&mixer);
  try {
    list.Items.loadFromStream({data, size});
  } catch (const mv::Error&) {
  }
  std::vector<int16_t> out(2 * 64);
  for (int i = 0; i < list.Items.count() && i < 16; ++i) {
    auto& item = list.Items.item(i);
    try {
      item.restore();
    } catch (const mv::Error&) {
    }
    for (int p = 0; p < 3; ++p) {
      item.setVolume(-3000 * p);
      item.setPan(7000 * (p - 1));
      item.play();
      mixer.mix(out.data(), 64);
    }
    (void)list.Items.findOrNull(item.Name);
  }
  (void)list.Items.saveToStream();
  return 0;
}
