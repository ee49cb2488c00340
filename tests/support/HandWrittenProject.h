#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The values of parameters 1 to 20 of a new project, as the program writes them.
QStringList DefaultProjectValues();

// A .KSF file written by hand, line by line with CR LF, independent of the program's writer:
// the given application line, one parameter line per value and the ten customer lines.
QByteArray HandWrittenProject(const QString& application, const QStringList& values,
                              bool incentiveSection = true);
