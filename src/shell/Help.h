#pragma once

#include <QString>
#include <QStringList>

// The help is a folder of HTML pages beside the program, one page per topic: the topic
// "STEP1" is the page STEP1.htm in <program folder>/QVN_EE32.
inline const QString HelpBaseName = QStringLiteral("QVN_EE32");

// The help folder of this installation.
QString HelpFolder();
// The page of a topic ("HLP_CONTENTS" -> <help folder>/HLP_CONTENTS.htm).
QString HelpTopicFile(const QString& topic);
// Opens the topic's page in the user's browser. A missing page or a browser that cannot be
// started is reported in a message; true when the page was handed to the browser.
bool GetHelp(const QString& topic);

// Opens a target the way the links of the program do: "calc.exe" starts the desktop's
// calculator, anything else goes to the shell's "OPEN". Failures are not reported.
bool OpenLinkTarget(const QString& target);

// The calculator programs looked for, most common first.
QStringList CalculatorPrograms();
// The first calculator program found on the search path, or empty.
QString FindCalculator();
// Starts the desktop's calculator; tells the user when there is none.
bool StartCalculator();
