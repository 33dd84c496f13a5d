#pragma once

// Index of each parameter in the processor's parameter list. The order is part
// of the host interface (host parameter indices) and must never change.
namespace ParamIndex
{
enum : int
{
    power = 0,
    gain,
    bass,
    mid,
    treble,
    volume,
    inputGain,
    outputGain,
    mix,
    hq,
    gate,
    mods,
    count
};
}
