#include "shell/EnervaneApplication.h"

#include <exception>

namespace {
EnervaneApplication::ErrorHandler installedHandler = nullptr;
}

EnervaneApplication::EnervaneApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void EnervaneApplication::setErrorHandler(ErrorHandler handler) {
    installedHandler = handler;
}

EnervaneApplication::ErrorHandler EnervaneApplication::errorHandler() {
    return installedHandler;
}

bool EnervaneApplication::notify(QObject* receiver, QEvent* event) {
    if (!installedHandler)
        return QApplication::notify(receiver, event);
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        installedHandler(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        installedHandler(QStringLiteral("Unknown error"));
    }
    return false;
}
