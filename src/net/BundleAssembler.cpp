#include "net/BundleAssembler.h"

namespace mv {

BundleAssembler::BundleAssembler(size_t people) : people_(people) {}

bool BundleAssembler::present(uint8_t person) const {
  return person < people_.size() && !people_[person].gone;
}

void BundleAssembler::add(uint8_t person, int64_t tick, PersonInput input) {
  if (person >= people_.size()) WireReader::fail("input", "from nobody in the match");
  Person& p = people_[person];
  if (p.gone || p.leaving) return;  // what comes after the goodbye does not count
  if (tick != next_ + static_cast<int64_t>(p.inputs.size())) WireReader::fail("input", "tick out of order");
  if (p.inputs.size() >= kMaxLead) WireReader::fail("input", "too far ahead");
  p.inputs.push_back(std::move(input));
}

void BundleAssembler::drop(uint8_t person) {
  if (!present(person)) return;
  people_[person].leaving = true;
  people_[person].inputs.clear();
}

std::optional<Bundle> BundleAssembler::next() {
  for (const Person& p : people_)
    if (!p.gone && !p.leaving && p.inputs.empty()) return std::nullopt;
  Bundle bundle;
  bundle.tick = next_++;
  for (size_t i = 0; i < people_.size(); ++i) {
    Person& p = people_[i];
    if (p.gone) continue;
    if (p.leaving) {
      p.gone = true;
      bundle.leaving.push_back(static_cast<uint8_t>(i));
      continue;
    }
    bundle.inputs.emplace_back(static_cast<uint8_t>(i), std::move(p.inputs.front()));
    p.inputs.pop_front();
  }
  return bundle;
}

}  // namespace mv
