#include "Formations.h"

#include "Flight.h"

#include <initializer_list>

namespace {

struct Member {
    float OffX;
    float OffY;
    int16_t Prog;
    float Delay;
};

void Fill(Formation& formation, std::initializer_list<Member> members)
{
    formation = Formation{};
    for (const Member& m : members) {
        FormationSlot& slot = formation.Member[formation.Count++];
        slot.OffX = m.OffX;
        slot.OffY = m.OffY;
        slot.Dir = 0;
        slot.Scale = 1;
        slot.Prog = m.Prog;
        slot.Delay = m.Delay;
    }
}

}  // namespace

void BuildFormations(Flight& flight)
{
    auto& f = flight.Formations;
    Fill(f[0], {{0.0f, 0.0f, 5, 0.0f},
                {-0.71f, -0.1f, 6, 1.1f},
                {0.71f, -0.2f, 6, 1.2f},
                {-1.42f, -0.3f, 6, 2.3f},
                {0.0f, -0.4f, 6, 2.4f},
                {1.42f, -0.5f, 6, 2.5f}});
    Fill(f[1], {{0.71f, 0.0f, 7, 0.0f}, {0.0f, 0.0f, 8, 1.0f}, {-0.71f, 0.0f, 9, 2.0f}, {-1.42f, 0.0f, 10, 3.0f}});
    Fill(f[2], {{0.0f, 0.0f, 11, 0.0f},
                {-0.71f, 0.0f, 12, 1.0f},
                {0.71f, 0.0f, 13, 1.0f},
                {-1.42f, 0.0f, 14, 2.0f},
                {1.42f, 0.0f, 15, 2.0f}});
    Fill(f[3], {{0.0f, 0.0f, 16, 0.0f}, {0.0f, 0.0f, 17, 1.0f}, {-7.0f, 0.0f, 18, 20.0f}});
    Fill(f[4], {{1.0f, 0.0f, 19, 0.0f},
                {7.0f, 0.0f, 20, 0.0f},
                {13.0f, 0.0f, 21, 0.0f},
                {19.0f, 0.0f, 22, 0.0f},
                {0.4f, 0.3f, 23, 0.0f}});
    Fill(f[5], {{0.0f, 0.0f, 24, 0.0f},
                {-0.71f, 0.0f, 25, 1.0f},
                {0.71f, 0.0f, 26, 1.0f},
                {-1.42f, 0.0f, 27, 2.0f},
                {1.42f, 0.0f, 28, 2.0f}});
    flight.MaxFormation = 5;
}
