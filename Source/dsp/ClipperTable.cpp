#include "dsp/ClipperTable.h"

#include <cmath>
#include <cstring>

ClipperTable::ClipperTable () :
    positive (low, high), negative (low, high), numEntries (DiodeTable::lengthForRange (low, high))
{
    entries.assign ((size_t) numEntries, 0.0f);
    setDiodes (DiodeModel::A, DiodeModel::N);
}

void ClipperTable::setDiodes (DiodeModel positiveSide, DiodeModel negativeSide) noexcept
{
    positiveModel = positiveSide;
    negativeModel = negativeSide;
    positive.setDiode (positiveSide);
    negative.setDiode (negativeSide);
}

void ClipperTable::setCoefficient (double G) noexcept
{
    positive.setCoefficient (G);
    negative.setCoefficient (G);
}

void ClipperTable::build () noexcept
{
    positive.build ();
    negative.build ();

    const int n = numEntries;
    const float step = 20.0f / (float) n;
    for (int i = 0; i < n; ++i)
    {
        const float v = -10.0f + step * (float) i;
        const DiodeTable& half = std::signbit (v) ? negative : positive;
        entries[(size_t) i] = half.read (v);
    }
}

bool ClipperTable::sameEntriesAs (const ClipperTable& other) const noexcept
{
    return numEntries == other.numEntries
           && std::memcmp (entries.data (), other.entries.data (), sizeof (float) * (size_t) numEntries) == 0;
}

void ClipperTableBank::prepare (double hostRate)
{
    if (hostRate == preparedHostRate)
        return;

    rates = { hostRate, 2.0 * hostRate };
    for (size_t r = 0; r < rates.size (); ++r)
    {
        const double G = DiodeTable::prewarpedCoefficient (rates[r]);
        const DiodeModel positiveSides[2] = { DiodeModel::A, DiodeModel::B };
        for (size_t t = 0; t < 2; ++t)
        {
            tables[r][t].setDiodes (positiveSides[t], DiodeModel::N);
            tables[r][t].setCoefficient (G);
            tables[r][t].build ();
        }
    }
    preparedHostRate = hostRate;
}

const ClipperTable* ClipperTableBank::find (double rate, DiodeModel positiveSide) const noexcept
{
    if (preparedHostRate <= 0.0 || positiveSide == DiodeModel::N)
        return nullptr;

    for (size_t r = 0; r < rates.size (); ++r)
        if (rates[r] == rate)
            return &tables[r][positiveSide == DiodeModel::A ? 0 : 1];

    return nullptr;
}
