#pragma once

#include "sky/DaySky.h"

#include <array>
#include <vector>

// When the catches of a diary were made, against the sky: by moon phase, month and hour,
// and how many fell in the solunar periods and the hours around sunrise and sunset beside
// how much of their days those times took up. A period covering a sixth of the day that
// holds a sixth of the catches says nothing; the comparison is what the page shows.
struct BiteTimes
{
    // Fewer catches than this are too few to draw a conclusion from.
    static constexpr int TooFew = 20;

    // A catch: its local day, its minute of the day (-1 when the angler gave no hour)
    // and the place its sky is seen from, as an index into the sites given.
    struct Moment
    {
        TDateTime day = 0;
        int minute = -1;
        int site = 0;
    };

    // The catches with an hour that fell in such a time, and the mean share of their
    // days that the time took up.
    struct Share
    {
        int inside = 0;
        double dayShare = 0;
    };

    int catches = 0;
    std::array<int, 8> byPhase{};
    std::array<int, 12> byMonth{};
    int timed = 0;
    std::array<int, 24> byHour{};
    Share major, minor, sunrise, sunset;

    // The sky of each distinct day and site is computed once, spans of nearby days
    // together.
    static BiteTimes Count(const std::vector<Moment> &moments, const std::vector<Astronomy::Site> &sites);

    // How much of a day its times take up, as fractions of the day: the major periods,
    // the minor ones outside them, and the hours centred on sunrise and sunset.
    struct DayCover
    {
        double major = 0, minor = 0, sunrise = 0, sunset = 0;
        static DayCover Of(const DaySky &sky);
    };
    // Counts one catch of the day; minute -1 for one without an hour.
    void Add(const DaySky &sky, const DayCover &cover, int minute);
    // The shares summed by Add become means; call once, after the last Add.
    void Finish();
};
