#pragma once

#include <QApplication>

// The program's application object. Any error that reaches the event loop uncaught is
// handed to the program-wide error handler (installed by the about box), which tells the
// user and ends the program; without one it would tear the program down without a word.
class EnervaneApplication : public QApplication {
    Q_OBJECT
public:
    using ErrorHandler = void (*)(const QString& message);

    EnervaneApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    static void setErrorHandler(ErrorHandler handler);
    static ErrorHandler errorHandler();
};
