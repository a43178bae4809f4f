// The long world operations (generating, loading, saving) are jobs, worked a
// slice at a time: the frame loop gives each call a few milliseconds and
// draws its frame between calls, a tool gives one call the whole job. Work
// is cut into units (a slab of the grid, a hill, a block of the file), and a
// slice ends at the first unit boundary after its end.
#pragma once

#include <cstdint>
#include <limits>

struct JobSlice {
    // The caller's clock in milliseconds and the time the slice ends; with
    // no clock the slice is measured in units alone.
    int32_t (*readClock)() = nullptr;
    int32_t endsAt = 0;
    int64_t unitsLeft = std::numeric_limits<int64_t>::max();
};

inline JobSlice sliceOfUnits(int64_t units) {
    JobSlice slice;
    slice.unitsLeft = units;
    return slice;
}

inline JobSlice sliceUntil(int32_t (*readClock)(), int32_t endsAt) {
    JobSlice slice;
    slice.readClock = readClock;
    slice.endsAt = endsAt;
    return slice;
}

// One unit done: true when the slice is spent.
inline bool sliceSpent(JobSlice& slice) {
    return --slice.unitsLeft <= 0 || (slice.readClock && slice.readClock() >= slice.endsAt);
}
