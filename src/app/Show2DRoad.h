#pragma once

struct ShowContext;

// The sprite show: full-screen window, first flight, show loop, shutdown.
int RunShow2DRoad(ShowContext& context);
