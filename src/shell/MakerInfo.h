#pragma once

#include <QString>

// The maker's addresses and lines shown by the program.
inline const QString MakerWebCaption = QStringLiteral("www.qvn.example.com");
inline const QString MakerWebAddress = QStringLiteral("https://www.qvn.example.com");
inline const QString MakerLegalNotice =
    QStringLiteral("Copyright \u00A9 2026 QVN Drive Systems. All rights reserved.");
inline const QString DriveSeriesText = QStringLiteral(
    "The DRV742 series of AC variable frequency drives controls the speed of fans and pumps "
    "from 1 to 400 HP.\n\n"
    "Most fans and pumps run well below full flow for most of the year. Slowing the motor down "
    "instead of throttling the flow with dampers, vanes or valves cuts the power it draws "
    "roughly with the cube of the speed.\n\n"
    "Enervane shows, for your customer's own operating hours and duty cycle, what that is worth "
    "in a year and how soon the drive pays for itself.");
