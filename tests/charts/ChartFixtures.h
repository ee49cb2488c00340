#pragma once

#include "calc/CalcResults.h"
#include "charts/EstimationCharts.h"
#include "setup/SetupOptions.h"

#include <cmath>

// A plausible estimation: the fan's duty cycle puts 24 % of the year at 60 % flow and
// nothing at 10 %, the pump's is a little different so the two cannot be mixed up unseen;
// the drive costs least, the damper most. Index 0 is 100 % flow.
inline void FillSampleResults() {
    Results = CalcResults{};
    const int duty[10] = {0, 5, 10, 15, 24, 20, 15, 8, 3, 0};
    const int pumpDuty[10] = {2, 8, 12, 18, 20, 15, 12, 8, 4, 1};
    for (int i = 0; i < 10; ++i) {
        const double flow = (10 - i) / 10.0;
        Results.FanDutyPercent[i] = duty[i];
        Results.PumpDutyPercent[i] = pumpDuty[i];
        Results.FanHours[i] = duty[i] * 8760.0 / 100.0;
        Results.PumpHours[i] = duty[i] * 8760.0 / 100.0 + 1; // tells the two apart
        const double hours = Results.FanHours[i];
        Results.FanVfdAnnualCost[i] = hours * 6.0 * std::pow(flow, 2.7);
        Results.DamperAnnualCost[i] = hours * 6.0 * (0.6 + 0.4 * flow);
        Results.VaneAnnualCost[i] = hours * 6.0 * (0.45 + 0.55 * std::pow(flow, 1.5));
        Results.PumpVfdAnnualCost[i] = hours * 5.0 * std::pow(flow, 2.5) + 2;
        Results.ValveAnnualCost[i] = hours * 5.0 * (0.7 + 0.3 * flow) + 2;
        Results.Custom1AnnualCost[i] = hours * 6.0 * (0.3 + 0.7 * flow * flow) + 3;
        Results.Custom2AnnualCost[i] = hours * 6.0 * (0.8 + 0.2 * flow) + 4;
    }
}

// Charts, setup and shared values as at program start.
inline void ResetCharts() {
    Charts = EstimationCharts{};
    Setup = SetupOptions{};
}
