#include "DesktopTestCase.h"

#include <QTest>

void DesktopTestCase::init() {
    env = std::make_unique<TestEnvironment>();
    fake = std::make_unique<FakeDesktop>();
}

void DesktopTestCase::cleanup() {
    QVERIFY2(fake->allShown(), "an expected message was never shown");
    fake.reset();
    env.reset();
}
