// libFuzzer entry: any bytes, read as the renderer reads a template (Latin-1), must draw without
// a crash, a hang or a sanitizer report. Run with -detect_leaks=0: Qt keeps caches to the end.

#include "reportdocument.h"
#include "rtfrenderer.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Lives until the process ends; the fuzzer never returns from its loop.
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    ReportDocument document;
    document.open();
    document.setMargins({1440, 1440, 720, 864});
    DrawRTF(document, QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size)));
    document.close();
    return 0;
}
