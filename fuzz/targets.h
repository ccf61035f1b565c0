#pragma once
// The fuzz targets: each takes any bytes and hands them to a reader of the
// program's data as a damaged or foreign file would. None may crash, hang
// or read out of bounds, whatever the bytes. A new target is one more row
// of FuzzTargets() in targets.cpp.
#include <QList>
#include <cstddef>
#include <cstdint>

namespace tallyo::fuzz {

struct FuzzTarget {
    const char* name;
    void (*run)(const uint8_t* data, size_t size);
};

const QList<FuzzTarget>& FuzzTargets();

// The target of that name; nullptr when there is none.
const FuzzTarget* FindFuzzTarget(const char* name);

// Sets up what the readers need once: a working folder of scratch data
// files, no pauses, a fixed clock.
void PrepareFuzzing();

}
