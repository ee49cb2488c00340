#pragma once

#include <QByteArray>

// The results of the last CalculateEnergy + ShowSavings run for the application as one JSON
// object (UTF-8, ending in a line feed). Numbers carry 17 significant digits; arrays run from
// 100 % flow to 10 % flow.
QByteArray CalculationJson(int app);
