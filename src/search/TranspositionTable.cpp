// SPDX-License-Identifier: GPL-3.0-or-later
#include "TranspositionTable.h"

// Data bits: move 0-11, score 12-27 (signed), depth 28-35, bound 36-37, generation 38-45.
namespace {
constexpr std::uint64_t bits(int count) { return (std::uint64_t(1) << count) - 1; }
// A deeper entry of this search is kept against a new one this much shallower.
constexpr int keptDepthLead = 2;
} // namespace

void TranspositionTable::resize(int size)
{
    if (size == megabytes && slotArray)
        return;
    const std::uint64_t wanted = std::uint64_t(size > 0 ? size : 1) << 20;
    slotCount = 1;
    while (slotCount * 2 * sizeof(Slot) <= wanted)
        slotCount *= 2;
    slotArray = std::make_unique<Slot[]>(slotCount);
    megabytes = size;
}

std::uint64_t TranspositionTable::pack(const Entry &entry, std::uint64_t generation)
{
    return (std::uint64_t(entry.move) & bits(12)) | (std::uint64_t(std::uint16_t(entry.score)) << 12)
           | (std::uint64_t(entry.depth) & bits(8)) << 28 | std::uint64_t(entry.bound) << 36 | generation << 38;
}

TranspositionTable::Entry TranspositionTable::unpack(std::uint64_t data)
{
    return Entry{int(data & bits(12)), int(std::int16_t(data >> 12 & bits(16))), int(data >> 28 & bits(8)),
                 Bound(data >> 36 & bits(2))};
}

bool TranspositionTable::probe(Key key, Entry &entry) const
{
    const Slot &slot = slotArray[key & (slotCount - 1)];
    const std::uint64_t data = slot.data.load(std::memory_order_relaxed);
    if ((slot.check.load(std::memory_order_relaxed) ^ data) != key || data == 0)
        return false;
    entry = unpack(data);
    return true;
}

// A slot of an earlier search, or of a shallower one, or of this very position is
// replaced; the move of an entry without one is kept from the old entry.
void TranspositionTable::store(Key key, const Entry &entry)
{
    Slot &slot = slotArray[key & (slotCount - 1)];
    const std::uint64_t old = slot.data.load(std::memory_order_relaxed);
    const bool same = (slot.check.load(std::memory_order_relaxed) ^ old) == key && old != 0;
    const Entry previous = unpack(old);
    if (!same && generationOf(old) == generation && previous.depth > entry.depth + keptDepthLead)
        return;
    Entry kept = entry;
    if (same && kept.move == 0)
        kept.move = previous.move;
    const std::uint64_t data = pack(kept, generation);
    slot.data.store(data, std::memory_order_relaxed);
    slot.check.store(key ^ data, std::memory_order_relaxed);
}
