// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

// The positions already searched, shared by every thread of a search without locks:
// each slot holds its data and the key exclusive-or the data, so a slot torn by two
// threads writing at once no longer matches any key and is only a miss.
class TranspositionTable
{
public:
    using Key = std::uint64_t;

    enum class Bound { none, upper, lower, exact };

    struct Entry
    {
        int move = 0;  // from | to << 6, 0 for none
        int score = 0;
        int depth = 0;
        Bound bound = Bound::none;
    };

    // Allocates about that many megabytes (a power of two of slots), all empty; does
    // nothing when that size is already allocated.
    void resize(int megabytes);
    // Entries of earlier searches stay but are replaced first.
    void nextSearch() { generation = (generation + 1) & generationMask; }

    // Starts loading the key's slot into the cache, so that a probe made after the
    // node's move generation and evaluation does not wait for memory.
    void prefetch(Key key) const { __builtin_prefetch(&slotArray[key & (slotCount - 1)]); }
    bool probe(Key key, Entry &entry) const;
    void store(Key key, const Entry &entry);

private:
    struct Slot
    {
        std::atomic<std::uint64_t> check{0}; // key ^ data
        std::atomic<std::uint64_t> data{0};
    };

    static constexpr std::uint64_t generationMask = 0xff;

    static std::uint64_t pack(const Entry &entry, std::uint64_t generation);
    static Entry unpack(std::uint64_t data);
    static std::uint64_t generationOf(std::uint64_t data) { return data >> 38 & generationMask; }

    std::unique_ptr<Slot[]> slotArray;
    std::uint64_t slotCount = 0;
    int megabytes = 0;
    std::uint64_t generation = 0;
};
