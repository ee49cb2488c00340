#include "shell/TForm1.h"

#include "core/ParameterTable.h"
#include "core/SharedState.h"

#include <QPalette>
#include <QWidget>

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("QVN DRV742 Enervane"));
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setAutoFillBackground(true);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, Qt::white);
    client->setPalette(palette);
    client->setFixedSize(1000, 680);
    setCentralWidget(client);
    FormCreate();
}

void TForm1::FormCreate() {
    Shared.CurrencySymbol = QStringLiteral("$");
    DefineAllParameters();
}
