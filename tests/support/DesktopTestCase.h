#pragma once

#include "FakeDesktop.h"
#include "TestEnvironment.h"

#include <QObject>

#include <memory>

// Base of the test classes: every test case runs in its own TestEnvironment with a fresh
// recording desktop, and ends by checking that every expected message was shown.
class DesktopTestCase : public QObject {
    Q_OBJECT
protected slots:
    void init();
    void cleanup();

protected:
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
};
