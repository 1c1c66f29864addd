#include "core/log/indexed_qso_store.h"

#include <algorithm>

#include "core/log/ole_date_time.h"

namespace stats {
namespace {

constexpr uint32_t kNone = SlotTable::kNone;

// The record's texts in the order they are stored as ids.
constexpr std::array<std::string CInfo::*, IndexedQsoStore::kTextFields> kTextMembers = {
    &CInfo::call,     &CInfo::country,    &CInfo::hostText30, &CInfo::band,
    &CInfo::mode,     &CInfo::hostText11, &CInfo::hostText10, &CInfo::rcvdExch,
    &CInfo::sentExch, &CInfo::province,   &CInfo::euCountry,  &CInfo::onPrefix};
constexpr std::size_t kCall = 0;
constexpr std::size_t kCountry = 1;
constexpr std::size_t kBand = 3;
constexpr std::size_t kMode = 4;

// Which stored text holds each kind of multiplier, as the rules' multiplierValue says.
std::array<std::size_t, kMultiplierKindCount> multiplierFields() {
  std::array<std::size_t, kMultiplierKindCount> fields{};
  const CInfo probe;
  for (std::size_t kind = 0; kind < kMultiplierKindCount; ++kind) {
    const std::string* value = &multiplierValue(probe, static_cast<MultiplierKind>(kind));
    for (std::size_t field = 0; field < kTextMembers.size(); ++field) {
      if (&(probe.*kTextMembers[field]) == value) fields[kind] = field;
    }
  }
  return fields;
}

std::size_t multiplierField(std::size_t kind) {
  static const std::array<std::size_t, kMultiplierKindCount> fields = multiplierFields();
  return fields[kind];
}

uint64_t mix(uint64_t hash, uint64_t value) {
  hash ^= value + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
  return hash;
}

uint32_t fold(uint64_t hash) {
  hash ^= hash >> 33;
  hash *= 0xff51afd7ed558ccdULL;
  hash ^= hash >> 33;
  return static_cast<uint32_t>(hash);
}

COleDateTime timeOf(int32_t status, double days) {
  COleDateTime time{};
  time.m_dt = days;
  time.m_status = static_cast<COleDateTimeStatus>(status);
  return time;
}

}  // namespace

void IndexedQsoStore::clear() {
  texts_.clear();
  records_.clear();
  liveRecords_ = 0;
  byIdentity_.clear();
  byCallAndBand_.clear();
  bands_.clear();
  classOfCountry_.clear();
}

std::optional<IndexedQsoStore::TextIds> IndexedQsoStore::findIds(const CInfo& record) const {
  TextIds ids{};
  for (std::size_t field = 0; field < kTextFields; ++field) {
    ids[field] = texts_.find(record.*kTextMembers[field]);
    if (ids[field] == kNone) return std::nullopt;
  }
  return ids;
}

IndexedQsoStore::TextIds IndexedQsoStore::internIds(const CInfo& record) {
  TextIds ids{};
  for (std::size_t field = 0; field < kTextFields; ++field) {
    ids[field] = texts_.intern(record.*kTextMembers[field]);
  }
  return ids;
}

CInfo IndexedQsoStore::materialise(const StoredRecord& stored) const {
  CInfo record;
  for (std::size_t field = 0; field < kTextFields; ++field) {
    record.*kTextMembers[field] = texts_.text(stored.text[field]);
  }
  record.freqKHz = stored.freqKHz;
  record.time = timeOf(stored.timeStatus, stored.timeDays);
  return record;
}

uint32_t IndexedQsoStore::identityHash(const TextIds& text, int32_t freqKHz,
                                       const COleDateTime& time) const {
  uint64_t hash = 0;
  for (const uint32_t id : text) hash = mix(hash, id);
  hash = mix(hash, static_cast<uint32_t>(freqKHz));
  hash = mix(hash, static_cast<uint32_t>(time.m_status));
  // Only a valid time's day count takes part in identity; 0.0 and -0.0 are the same time.
  if (time.m_status == COleDateTimeValid && time.m_dt != 0.0) {
    hash = mix(hash, std::hash<double>{}(time.m_dt));
  }
  return fold(hash);
}

uint32_t IndexedQsoStore::callBandHash(uint32_t call, uint32_t band) const {
  return fold(mix(texts_.hash(call), texts_.hash(band)));
}

uint32_t IndexedQsoStore::findIdentical(const TextIds& text, int32_t freqKHz,
                                        const COleDateTime& time) const {
  return byIdentity_.find(identityHash(text, freqKHz, time), [&](uint32_t slot) {
    const StoredRecord& stored = records_[slot];
    return stored.text == text && stored.freqKHz == freqKHz &&
           sameDateTime(timeOf(stored.timeStatus, stored.timeDays), time);
  });
}

uint32_t IndexedQsoStore::chainHead(uint32_t call, uint32_t band) const {
  return byCallAndBand_.find(callBandHash(call, band), [&](uint32_t slot) {
    const StoredRecord& stored = records_[slot];
    return stored.text[kCall] == call && stored.text[kBand] == band;
  });
}

void IndexedQsoStore::link(uint32_t slot) {
  const StoredRecord& stored = records_[slot];
  uint32_t last = chainHead(stored.text[kCall], stored.text[kBand]);
  if (last == kNone) {
    byCallAndBand_.insert(callBandHash(stored.text[kCall], stored.text[kBand]), slot);
    return;
  }
  while (records_[last].nextSameCallBand != kNone) last = records_[last].nextSameCallBand;
  records_[last].nextSameCallBand = slot;
}

void IndexedQsoStore::unlink(uint32_t slot) {
  StoredRecord& stored = records_[slot];
  const uint32_t head = chainHead(stored.text[kCall], stored.text[kBand]);
  if (head == slot) {
    const uint32_t hash = callBandHash(stored.text[kCall], stored.text[kBand]);
    if (stored.nextSameCallBand == kNone) {
      byCallAndBand_.erase(hash, slot);
    } else {
      byCallAndBand_.replace(hash, slot, stored.nextSameCallBand);
    }
  } else {
    // The walk stops at the chain's end too: a record half-added when memory ran out is in no
    // chain, and must not send it past the end of the records.
    uint32_t before = head;
    while (before != kNone && records_[before].nextSameCallBand != slot) {
      before = records_[before].nextSameCallBand;
    }
    if (before != kNone) records_[before].nextSameCallBand = stored.nextSameCallBand;
  }
  stored.nextSameCallBand = kNone;
}

void IndexedQsoStore::count(const StoredRecord& stored, bool adding) {
  const uint32_t step = adding ? 1u : ~0u;  // +1 or -1, wrapping like the report's counts
  BandState& band = bands_[stored.text[kBand]];
  if (band.version == 0) band.version = ++lastVersion_;
  const bool withCall = !texts_.text(stored.text[kCall]).empty();
  if (withCall) {
    band.qsos += step;
    band.qsosByClass[static_cast<std::size_t>(stationClass(stored.text[kCountry]))] += step;
  }
  for (std::size_t kind = 0; kind < kMultiplierKindCount; ++kind) {
    const uint32_t value = stored.text[multiplierField(kind)];
    auto& values = band.values[kind];
    ValueCount& counted = values[value];
    counted.records += step;
    if (withCall) {
      const bool before = counted.withCall != 0;
      counted.withCall += step;
      const bool counts =
          !texts_.text(value).empty() || emptyValueCounts(static_cast<MultiplierKind>(kind));
      if (counts && before != (counted.withCall != 0)) {
        band.distinct[kind] += step;
        band.version = ++lastVersion_;
      }
    }
    if (counted.records == 0) values.erase(value);
  }
}

StationClass IndexedQsoStore::stationClass(uint32_t country) {
  const auto [found, added] = classOfCountry_.try_emplace(country, StationClass::other);
  if (added) found->second = classifyStation(texts_.text(country));
  return found->second;
}

void IndexedQsoStore::appendIfNotIdentical(const CInfo& record) {
  StoredRecord stored;
  stored.text = internIds(record);
  stored.freqKHz = record.freqKHz;
  stored.timeStatus = static_cast<int32_t>(record.time.m_status);
  stored.timeDays = record.time.m_dt;
  if (findIdentical(stored.text, stored.freqKHz, record.time) != kNone) return;

  const auto slot = static_cast<uint32_t>(records_.size());
  records_.push_back(stored);
  ++liveRecords_;
  byIdentity_.insert(identityHash(stored.text, stored.freqKHz, record.time), slot);
  link(slot);
  count(stored, true);
}

void IndexedQsoStore::remove(uint32_t slot) {
  StoredRecord& stored = records_[slot];
  byIdentity_.erase(
      identityHash(stored.text, stored.freqKHz, timeOf(stored.timeStatus, stored.timeDays)), slot);
  unlink(slot);
  count(stored, false);
  stored.removed = true;
  --liveRecords_;
  const std::size_t gaps = records_.size() - liveRecords_;
  if (gaps > 4096 && gaps > liveRecords_) squeezeGaps();
}

void IndexedQsoStore::squeezeGaps() {
  ChunkedVector<StoredRecord> kept;
  std::vector<uint32_t> movedTo(records_.size(), kNone);
  for (std::size_t slot = 0; slot < records_.size(); ++slot) {
    if (records_[slot].removed) continue;
    movedTo[slot] = static_cast<uint32_t>(kept.size());
    kept.push_back(records_[slot]);
  }
  records_ = std::move(kept);
  byIdentity_.clear();
  byCallAndBand_.clear();
  // Records keep their order, so each chain keeps its order with its links renumbered.
  for (uint32_t slot = 0; slot < records_.size(); ++slot) {
    StoredRecord& stored = records_[slot];
    if (stored.nextSameCallBand != kNone)
      stored.nextSameCallBand = movedTo[stored.nextSameCallBand];
    byIdentity_.insert(
        identityHash(stored.text, stored.freqKHz, timeOf(stored.timeStatus, stored.timeDays)),
        slot);
    if (chainHead(stored.text[kCall], stored.text[kBand]) == kNone) {
      byCallAndBand_.insert(callBandHash(stored.text[kCall], stored.text[kBand]), slot);
    }
  }
}

bool IndexedQsoStore::removeFirstIdentical(const CInfo& record) {
  const std::optional<TextIds> ids = findIds(record);
  if (!ids) return false;
  const uint32_t slot = findIdentical(*ids, record.freqKHz, record.time);
  if (slot == kNone) return false;
  remove(slot);
  return true;
}

bool IndexedQsoStore::removeFirstByCallModeBand(std::string_view call, std::string_view mode,
                                                std::string_view band) {
  const uint32_t callId = texts_.find(call), modeId = texts_.find(mode), bandId = texts_.find(band);
  if (callId == kNone || modeId == kNone || bandId == kNone) return false;
  for (uint32_t slot = chainHead(callId, bandId); slot != kNone;
       slot = records_[slot].nextSameCallBand) {
    if (records_[slot].text[kMode] == modeId) {
      remove(slot);
      return true;
    }
  }
  return false;
}

bool IndexedQsoStore::hasCallOnBand(std::string_view call, std::string_view band) const {
  const uint32_t callId = texts_.find(call), bandId = texts_.find(band);
  return callId != kNone && bandId != kNone && chainHead(callId, bandId) != kNone;
}

const IndexedQsoStore::BandState* IndexedQsoStore::bandState(std::string_view band) const {
  const uint32_t bandId = texts_.find(band);
  if (bandId == kNone) return nullptr;
  const auto found = bands_.find(bandId);
  return found == bands_.end() ? nullptr : &found->second;
}

bool IndexedQsoStore::workedOnBand(std::string_view band, MultiplierKind kind,
                                   std::string_view value) const {
  const BandState* state = bandState(band);
  const uint32_t valueId = texts_.find(value);
  if (state == nullptr || valueId == kNone) return false;
  return state->values[static_cast<std::size_t>(kind)].contains(valueId);
}

std::optional<CInfo> IndexedQsoStore::lastWithCallOnBand(std::string_view call,
                                                         std::string_view band) const {
  const uint32_t callId = texts_.find(call), bandId = texts_.find(band);
  if (callId == kNone || bandId == kNone) return std::nullopt;
  uint32_t last = chainHead(callId, bandId);
  if (last == kNone) return std::nullopt;
  while (records_[last].nextSameCallBand != kNone) last = records_[last].nextSameCallBand;
  return materialise(records_[last]);
}

BandTally IndexedQsoStore::tally(std::string_view band) const {
  BandTally counts;
  const BandState* state = bandState(band);
  if (state == nullptr) return counts;
  counts.qsos = static_cast<int32_t>(state->qsos);
  for (std::size_t worked = 0; worked < kStationClassCount; ++worked) {
    counts.qsosByClass[worked] = static_cast<int32_t>(state->qsosByClass[worked]);
  }
  for (std::size_t kind = 0; kind < kMultiplierKindCount; ++kind) {
    counts.multipliers[kind] = static_cast<int32_t>(state->distinct[kind]);
  }
  return counts;
}

std::vector<std::string> IndexedQsoStore::multiplierValues(std::string_view band,
                                                           MultiplierKind kind) const {
  std::vector<std::string> values;
  const BandState* state = bandState(band);
  if (state == nullptr) return values;
  for (const auto& [value, counted] : state->values[static_cast<std::size_t>(kind)]) {
    const std::string_view text = texts_.text(value);
    if (counted.withCall != 0 && (!text.empty() || emptyValueCounts(kind))) {
      values.emplace_back(text);
    }
  }
  std::sort(values.begin(), values.end());
  return values;
}

uint64_t IndexedQsoStore::multiplierVersion(std::string_view band) const {
  const BandState* state = bandState(band);
  return state == nullptr ? 0 : state->version;
}

void IndexedQsoStore::forEachRecord(const std::function<void(const CInfo&)>& visit) const {
  for (std::size_t slot = 0; slot < records_.size(); ++slot) {
    if (!records_[slot].removed) visit(materialise(records_[slot]));
  }
}

std::unique_ptr<QsoStore> makeIndexedQsoStore() {
  return std::make_unique<IndexedQsoStore>();
}

}  // namespace stats
