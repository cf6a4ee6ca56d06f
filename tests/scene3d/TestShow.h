#pragma once

#include "Flight.h"
#include "PuffMesh.h"
#include "SaverSettings.h"
#include "Show3D.h"

// A built 3D show with no screen: a stand-in aircraft mesh, smoke length 500.
struct TestShow {
    explicit TestShow(uint64_t seed = 7) : flight(settings, 1920, 1080, seed), show(flight)
    {
        settings.SmokeLength = 500;
        show.BuildScene3D(MakePuffMesh(), Surface());
    }

    int UsedPuffs() const
    {
        int used = 0;
        for (int i = 0; i < SmokeSlotsUsed; ++i)
            used += flight.SmokePoints[i].Used;
        return used;
    }

    SaverSettings settings;
    Flight flight;
    Show3D show;
};
