#include "FlightPrograms.h"

#include "Flight.h"

std::string ScreenDigit(int screenWidth)
{
    switch (screenWidth) {
    case 800: return "1";
    case 1024: return "2";
    case 1152: return "3";
    case 1280: return "4";
    case 1600: return "5";
    default: return "";
    }
}

void BuildFlightPrograms(Flight& flight)
{
    const std::string d = ScreenDigit(flight.ScreenWidth);
    auto& p = flight.FlightPrograms;

    // Solo pool.
    p[0] = "3SR1R1R1R1R1R1R1RS3";
    p[1] = "3SL1RR1LL1RR1LL1RS3";
    p[2] = "6R2R6";
    p[3] = "6L2L6";
    p[4] = "2S2R1R1R8L1L1L1L1L1L8R1R1R1S4";

    // Formation 0: slot 0, then slots 1..5.
    p[5] = "1" + d + "2R1R1R1R1R1R1R1R41";
    p[6] = "S" + d + "2R1R1R1R1R1R1R1R4S";

    // Formation 1, slots 0..3: each slot starts its loop one unit further on.
    p[7] = "S" + d + "2RRRRRRR3L2L3111L6S";
    p[8] = "S" + d + "22RRRRRRR3L2L311L6S";
    p[9] = "S" + d + "222RRRRRRR3L2L31L6S";
    p[10] = "S" + d + "2222RRRRRRR3L2L3L6S";

    // Formation 2, slots 0..4.
    p[11] = "S" + d + "15443S";
    p[12] = "S" + d + "15L5L3S";
    p[13] = "S" + d + "15R5R3S";
    p[14] = "S" + d + "1L5L3L2S";
    p[15] = "S" + d + "1R5R3R2S";

    // Formation 3, slots 0..2.
    p[16] = d + "27SL2L2L2L2L54SL4";
    p[17] = d + "27SR2R2R2R2R54SR4";
    p[18] = d + "R51S55S55";

    // Formation 4, slots 0..4 (slots 1..3 fly the same text).
    p[19] = d + "53SR1R1R1RR6S1L1";
    p[20] = d + "53SR1R1R1R4R1R1R1R3S5";
    p[21] = d + "53SR1R1R1R4R1R1R1R3S5";
    p[22] = d + "53SR1R1R1R4R1R1R1R3S5";
    p[23] = d + "531L1L1L1L4LL13S4SR1R1";

    // Formation 5, slots 0..4.
    p[24] = "S" + d + "5443S3R1L2LLL1L2L1R3SLR1LRLRLRLRLRLRLRLS";
    p[25] = "S" + d + "5L5L3S2L4R1RRR1R53S555S";
    p[26] = "S" + d + "5R5R3S2R4L1LLL1L53SL3RL3RL2RL1S";
    p[27] = "S" + d + "L5L3L2S21L4L2L2L2L2R2SL1RL1RLRL1RL1RLRLS";
    p[28] = "S" + d + "R5R3R2S21R4R2R2R2R2L2SLR2LR2LR2LR2S";

    flight.SoloProgramCount = 5;
}
