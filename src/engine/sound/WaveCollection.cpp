#include "engine/sound/WaveCollection.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/Error.h"
#include "platform/Mixer.h"

namespace mv {

TWaveCollectionItem::TWaveCollectionItem(TWaveCollection& collection) : collection_(&collection) {}

TWaveCollectionItem::~TWaveCollectionItem() {
  finalize();
}

void TWaveCollectionItem::setName(const std::string& name) {
  collection_->rename(this, indexedName_, name);
  Name = name;
  indexedName_ = name;
}

Mixer* TWaveCollectionItem::mixer() const {
  return collection_->mixer();
}

void TWaveCollectionItem::setLooped(bool value) {
  if (value == looped_) return;
  stop();
  looped_ = value;
}

void TWaveCollectionItem::setMaxPlayingCount(int32_t value) {
  value = std::max(value, 0);
  if (value == maxPlayingCount_) return;
  maxPlayingCount_ = value;
  if (ready_) freeVoices();
}

void TWaveCollectionItem::setVolume(int32_t value) {
  volume_ = std::clamp<int32_t>(value, Mixer::kVolumeMin, Mixer::kVolumeMax);
  if (ready_ && buffer_) mixer()->setVolume(buffer_, volume_);
}

void TWaveCollectionItem::setPan(int32_t value) {
  pan_ = std::clamp<int32_t>(value, Mixer::kPanLeft, Mixer::kPanRight);
  if (ready_ && buffer_) mixer()->setPan(buffer_, pan_);
}

void TWaveCollectionItem::setFrequency(int32_t value) {
  // 0 (or less) is the wave's own rate.
  frequency_ = value <= 0 ? 0
                          : std::clamp<int32_t>(value, static_cast<int32_t>(Mixer::kFrequencyMin),
                                                static_cast<int32_t>(Mixer::kFrequencyMax));
  if (ready_ && buffer_) mixer()->setFrequency(buffer_, static_cast<uint32_t>(frequency_));
}

void TWaveCollectionItem::applySettings(int handle) {
  Mixer* m = mixer();
  m->setFrequency(handle, static_cast<uint32_t>(frequency_));
  m->setPan(handle, pan_);
  m->setVolume(handle, volume_);
}

void TWaveCollectionItem::freeVoices() {
  if (Mixer* m = mixer())
    for (int voice : voices_) m->release(voice);
  voices_.clear();
}

void TWaveCollectionItem::finalize() {
  freeVoices();
  if (buffer_ && mixer()) mixer()->release(buffer_);
  buffer_ = 0;
  ready_ = false;
}

void TWaveCollectionItem::restore() {
  finalize();
  Mixer* m = mixer();
  if (!m) return;
  ready_ = true;
  // An item without a sound has nothing to make and stays silent.
  if (Wave.formatSize() == 0) return;
  WaveFormat format;
  int handle = 0;
  if (parseWaveFormat(Wave.format.data(), Wave.format.size(), format))
    handle = m->create(format, Wave.data.data(), Wave.data.size());
  if (handle == 0) throw Error(mv::format("%s cannot be made", "Sound Buffer"));
  buffer_ = handle;
  applySettings(buffer_);
}

void TWaveCollectionItem::stop() {
  Mixer* m = mixer();
  if (!m) return;
  if (buffer_) m->stop(buffer_);
  for (int voice : voices_) m->stop(voice);
}

int TWaveCollectionItem::voiceForPlay() {
  Mixer* m = mixer();
  for (int voice : voices_)
    if (!m->isPlaying(voice)) return voice;
  if (maxPlayingCount_ == 0 || static_cast<int32_t>(voices_.size()) < maxPlayingCount_) {
    const int copy = m->duplicate(buffer_);
    if (copy != 0) voices_.push_back(copy);
    return copy;
  }
  // Every voice is busy: the oldest sound is cut off and its voice starts again as the newest.
  const int oldest = voices_.front();
  voices_.erase(voices_.begin());
  voices_.push_back(oldest);
  return oldest;
}

void TWaveCollectionItem::play(bool wait) {
  if (!ready_ || !buffer_) return;
  Mixer* m = mixer();
  if (looped_) {
    m->stop(buffer_);
    m->rewind(buffer_);
    m->play(buffer_, true);
    return;
  }
  const int voice = voiceForPlay();
  if (voice == 0) return;
  m->stop(voice);
  m->rewind(voice);
  applySettings(voice);
  m->play(voice, false);
  if (!wait || !m->hasDevice()) return;
  // Only a device moves the voice on while this thread sleeps; the sound's length at its playing rate
  // bounds the wait in case the device goes away meanwhile.
  const uint64_t rate =
      frequency_ > 0 ? static_cast<uint64_t>(frequency_) : std::max<uint64_t>(Wave.samplesPerSec(), 1);
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(1000 + m->frameCount(voice) * 1000 / rate);
  while (m->isPlaying(voice) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

TWaveCollection::TWaveCollection() = default;

TWaveCollection::~TWaveCollection() {
  clear();
}

TWaveCollectionItem& TWaveCollection::add() {
  items_.push_back(std::make_unique<TWaveCollectionItem>(*this));
  return *items_.back();
}

void TWaveCollection::clear() {
  items_.clear();
  index_.clear();
}

void TWaveCollection::rename(TWaveCollectionItem* item, const std::string& oldName, const std::string& name) {
  index_.rename(item, oldName, name);
}

// Items whose Name was assigned directly are filed again under it.
void TWaveCollection::syncStaleNames() {
  for (auto& item : items_)
    if (item->Name != item->indexedName_) item->setName(item->Name);
}

TWaveCollectionItem* TWaveCollection::findOrNull(const std::string& name) {
  auto nameOf = [](const TWaveCollectionItem& item) -> const std::string& { return item.Name; };
  if (TWaveCollectionItem* item = index_.find(name, nameOf)) return item;
  syncStaleNames();
  return index_.find(name, nameOf);
}

TWaveCollectionItem& TWaveCollection::find(const std::string& name) {
  if (TWaveCollectionItem* item = findOrNull(name)) return *item;
  throw Error(format("Wave '%s' not found", name.c_str()));
}

void TWaveCollection::setMixer(Mixer* mixer) {
  if (mixer == mixer_) return;
  finalize();
  mixer_ = mixer;
  restore();
}

void TWaveCollection::restore() {
  for (auto& item : items_) item->restore();
}

void TWaveCollection::finalize() {
  for (auto& item : items_) item->finalize();
}

}  // namespace mv
