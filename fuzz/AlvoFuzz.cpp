// One libFuzzer target: ENTRADA_FUZZ names the entry point it drives.
#include "EntradasFuzz.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Qt's file and text services behave as in the program.
    static QCoreApplication aplicacao(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dados, std::size_t tamanho)
{
    const QString falha = ENTRADA_FUZZ(
        QByteArray::fromRawData(reinterpret_cast<const char *>(dados), qsizetype(tamanho)));
    if (!falha.isEmpty()) {
        std::fprintf(stderr, "falha: %s\n", falha.toUtf8().constData());
        std::abort();
    }
    return 0;
}
