// Feeds arbitrary bytes to the project file reader, the way the open command reads a file:
// a check pass on the shadow table, then a load into the live table, and once more with the
// user cancelling at the first question. Whatever the bytes, the reader must not crash, hang
// or leak, and the live table may only ever hold values inside their limits.

#include "core/ParameterTable.h"
#include "core/SharedState.h"
#include "files/ProjectFile.h"
#include "files/Windows1252.h"
#include "platform/Desktop.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

// Answers every message without printing it: OK, or Cancel from the n-th message on.
class SilentDesktop : public platform::ConsoleDesktop {
public:
    platform::Answer message(platform::Icon, const QString& text,
                             platform::Buttons buttons) override {
        if (text.isEmpty())
            std::abort(); // every message of the reader has a text
        ++shown;
        if (cancelFrom > 0 && shown >= cancelFrom && buttons == platform::Buttons::OkCancel)
            return platform::Answer::Cancel;
        return platform::Answer::Ok;
    }
    void beep() override {}

    int shown = 0;
    int cancelFrom = 0; // 0: never cancel
};

SilentDesktop& silentDesktop() {
    static SilentDesktop desktop;
    return desktop;
}

void checkLimits() {
    for (int n = 1; n <= ParameterCount(); ++n) {
        const ParameterRecord& record = Parameter(n);
        if (!(record.value >= record.minimum && record.value <= record.maximum))
            std::abort();
        if (ShadowParameter(n).value != ParameterDefault(n))
            std::abort(); // nothing but the definition writes the shadow table
    }
    for (const QString& line : Shared.InfoTextLines) {
        if (line.size() > 60)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::setDesktop(&silentDesktop());
    DefineAllParameters();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    SilentDesktop& desktop = silentDesktop();
    ResetParametersToDefaults();
    Parameter(20).value = 1;

    desktop.shown = 0;
    desktop.cancelFrom = 0;
    ReadProjectData(bytes, ParameterTableKind::Shadow, ReadMode::CheckOnly);
    ReadProjectData(bytes, ParameterTableKind::Live, ReadMode::Load);
    checkLimits();

    desktop.shown = 0;
    desktop.cancelFrom = 1;
    if (ReadProjectData(bytes, ParameterTableKind::Live, ReadMode::Load) && desktop.shown > 0)
        std::abort(); // a Cancel always ends the read with false
    checkLimits();

    // The code page keeps every byte.
    if (EncodeWindows1252(DecodeWindows1252(bytes.left(4096))) != bytes.left(4096))
        std::abort();
    return 0;
}
