#pragma once
// The named sound archive: a collection of waves, each with its playback settings and the mixer
// buffers made from it once the collection is bound to the mixer. A sound plays on a copy of its main
// buffer (a voice), so one sound can overlap itself up to MaxPlayingCount times.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/archive/NameIndex.h"
#include "engine/sound/Wave.h"

namespace mv {

class Mixer;
class TWaveCollection;

class TWaveCollectionItem {
 public:
  explicit TWaveCollectionItem(TWaveCollection& collection);
  ~TWaveCollectionItem();  // gives its buffers back to the mixer
  TWaveCollectionItem(const TWaveCollectionItem&) = delete;
  TWaveCollectionItem& operator=(const TWaveCollectionItem&) = delete;

  // Read freely; change through setName so the name index follows.
  std::string Name;
  // The sound itself; restore() makes the buffers from it again after a change.
  TWave Wave;

  void setName(const std::string& name);

  bool Looped() const { return looped_; }
  // A change stops every buffer of the item first.
  void setLooped(bool value);
  int32_t MaxPlayingCount() const { return maxPlayingCount_; }
  // Negative counts as 0 (no limit); a change frees the voices.
  void setMaxPlayingCount(int32_t value);

  // Volume in hundredths of a decibel, 0 (full) .. -10000; pan -10000 (left) .. 10000 (right);
  // frequency in Hz, 0 for the wave's own rate. Values beyond the mixer's ranges are taken to the
  // nearest end rather than refused, so a far sound never keeps a stale, louder setting.
  int32_t volume() const { return volume_; }
  void setVolume(int32_t value);
  int32_t pan() const { return pan_; }
  void setPan(int32_t value);
  int32_t frequency() const { return frequency_; }
  void setFrequency(int32_t value);

  // The buffers may be made: the collection is bound to a mixer and restore() has run.
  bool ready() const { return ready_; }
  // Once, or endlessly when Looped. With wait, returns when the sound has finished (on a mixer with
  // an output device only; a silent mixer moves on only with the clock that waits).
  void play(bool wait = false);
  void stop();
  // (Re)makes the main buffer from Wave with the item's settings; the voices go. "Sound Buffer cannot be
  // made" when the mixer refuses the wave's format.
  void restore();
  // Gives every buffer back; the item is no longer ready.
  void finalize();

  // The mixer handles: 0 when there is no main buffer.
  int buffer() const { return buffer_; }
  const std::vector<int>& voices() const { return voices_; }

  TWaveCollection& collection() const { return *collection_; }

 private:
  friend class TWaveCollection;
  Mixer* mixer() const;
  void applySettings(int handle);
  void freeVoices();
  int voiceForPlay();

  TWaveCollection* collection_;
  std::string indexedName_;  // the name the index files this item under
  int buffer_ = 0;
  std::vector<int> voices_;  // oldest first
  int32_t frequency_ = 0;
  bool ready_ = false;
  bool looped_ = false;
  int32_t maxPlayingCount_ = 0;
  int32_t pan_ = 0;
  int32_t volume_ = 0;
};

class TWaveCollection {
 public:
  TWaveCollection();
  ~TWaveCollection();
  TWaveCollection(const TWaveCollection&) = delete;
  TWaveCollection& operator=(const TWaveCollection&) = delete;

  int count() const { return static_cast<int>(items_.size()); }
  TWaveCollectionItem& item(int index) { return *items_.at(index); }
  const TWaveCollectionItem& item(int index) const { return *items_.at(index); }
  TWaveCollectionItem& operator[](int index) { return item(index); }

  TWaveCollectionItem& add();  // a new item with the defaults, at the end
  void clear();

  // Case-insensitive; the most recently named item wins. "Wave '%s' not found".
  TWaveCollectionItem& find(const std::string& name);
  TWaveCollectionItem* findOrNull(const std::string& name);

  // "Cannot open file %s" for a missing file or a folder; a damaged one says which file ("... in <path>").
  void loadFromFile(const std::string& path);
  // Replaces all items, then makes their buffers when bound to a mixer. On an error the items read so
  // far stay.
  void loadFromStream(std::span<const uint8_t> data);
  // The archive as the loader reads it (class "TWaveCollectionComponent").
  std::vector<uint8_t> saveToStream() const;
  void saveToFile(const std::string& path) const;

  // The mixer the buffers are made on (none: every item stays silent). Binding restores every item,
  // unbinding finalises them.
  Mixer* mixer() const { return mixer_; }
  void setMixer(Mixer* mixer);
  void restore();
  void finalize();

 private:
  friend class TWaveCollectionItem;
  void rename(TWaveCollectionItem* item, const std::string& oldName, const std::string& name);
  void syncStaleNames();

  std::vector<std::unique_ptr<TWaveCollectionItem>> items_;
  TNameIndex<TWaveCollectionItem> index_;
  Mixer* mixer_ = nullptr;
};

}  // namespace mv
