#pragma once
// The 256-bucket name index of the named collections (pictures and waves). A name is filed at the head
// of its bucket's chain whenever it is set, so among items sharing a name the most recently named wins.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// Lower case of one Windows-1251 byte (Latin and Cyrillic letters).
uint8_t lowerCp1251(uint8_t c);
std::string lowerCaseCp1251(std::string_view text);
bool sameTextCp1251(std::string_view a, std::string_view b);

// (L * 16 + first + second-to-last) mod 256 over the lower-cased name; L * 16 alone below two bytes.
uint8_t nameBucket(std::string_view name);

template <typename Item>
class TNameIndex {
 public:
  // Files item under name, taking it out of the chain of oldName first.
  void rename(Item* item, std::string_view oldName, std::string_view name) {
    remove(item, oldName);
    auto& chain = buckets_[nameBucket(name)];
    chain.insert(chain.begin(), item);
  }
  void remove(Item* item, std::string_view name) {
    auto& chain = buckets_[nameBucket(name)];
    chain.erase(std::remove(chain.begin(), chain.end(), item), chain.end());
  }
  void clear() {
    for (auto& chain : buckets_) chain.clear();
  }
  // The first item of name's chain whose name (read through nameOf) matches ignoring case.
  template <typename NameOf>
  Item* find(std::string_view name, NameOf nameOf) const {
    for (Item* item : buckets_[nameBucket(name)])
      if (sameTextCp1251(nameOf(*item), name)) return item;
    return nullptr;
  }

 private:
  std::array<std::vector<Item*>, 256> buckets_;
};

}  // namespace mv
